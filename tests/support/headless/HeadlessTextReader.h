#pragma once

#include "platform/TextReader.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// The text recogniser as tests script it: Script gives what a read finds (by default the
// languages asked for, as one line), on the program's worker thread; each read's picture (its
// grey pixels, size and resolution) and languages are kept.
class THeadlessTextReader : public ITextReader {
public:
    std::optional<std::string> Read(const TGreyView& picture, const std::string& languages,
                                    const std::atomic<bool>& cancelled) override {
        {
            const std::lock_guard lock(FLock);
            TRead read{{}, picture.Width, picture.Height, picture.Dpi, languages};
            for (std::int32_t y = 0; y < picture.Height; ++y) {
                read.Grey.insert(read.Grey.end(), picture.Data + y * picture.Stride,
                                 picture.Data + y * picture.Stride + picture.Width);
            }
            Reads.push_back(std::move(read));
        }
        if (Script) {
            return Script(cancelled);
        }
        return cancelled ? std::nullopt : std::optional<std::string>(languages + "\n");
    }

    struct TRead {
        std::vector<std::uint8_t> Grey;
        std::int32_t Width, Height;
        int Dpi;
        std::string Languages;
    };
    std::vector<TRead> Reads; // read once the loop has been told
    std::function<std::optional<std::string>(const std::atomic<bool>& cancelled)> Script;

private:
    std::mutex FLock;
};
