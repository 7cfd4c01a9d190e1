#pragma once

#include <cstdint>
#include <vector>

// Appends little-endian fields to a byte buffer, one call per field of a binary header.
class TLittleEndianWriter {
public:
    explicit TLittleEndianWriter(std::vector<std::uint8_t>& out) : FOut(out) {}

    void U8(std::uint8_t v) { FOut.push_back(v); }
    void U16(std::uint16_t v) {
        U8(static_cast<std::uint8_t>(v));
        U8(static_cast<std::uint8_t>(v >> 8));
    }
    void U32(std::uint32_t v) {
        U16(static_cast<std::uint16_t>(v));
        U16(static_cast<std::uint16_t>(v >> 16));
    }
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }

private:
    std::vector<std::uint8_t>& FOut;
};
