#pragma once

#include <cstddef>
#include <string>

// Where encoders put their bytes: a file being written, or memory.
class TByteSink {
public:
    virtual ~TByteSink() = default;
    // Takes all the bytes or raises EWriteError.
    virtual void Write(const void* data, std::size_t size) = 0;
};

class TMemorySink : public TByteSink {
public:
    void Write(const void* data, std::size_t size) override {
        Bytes.append(static_cast<const char*>(data), size);
    }
    std::string Bytes;
};
