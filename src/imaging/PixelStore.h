#pragma once

#include "imaging/Palette.h"
#include "imaging/PixelMemory.h"
#include "imaging/PixelDepth.h"

#include <cstddef>
#include <cstdint>
#include <memory>

// The pixels of a bitmap in the exact layout of a bottom-up device-independent bitmap: rows
// padded to 4 bytes, the bottom row first. Shared between bitmaps and copied before a change.
//
// A new store is white. It stays "blank" (white in meaning, with no memory yet) until something
// reads or partly draws it, so a capture that covers the whole bitmap never pays for painting
// it white first, and the screen-compatible store of a capture never needs memory at all.
class TPixelStore {
public:
    // Raises EOutOfResources when the store is larger than a bitmap may be (2 GiB). The memory
    // itself is taken when the pixels are first written, and may raise EOutOfResources then.
    static std::shared_ptr<TPixelStore> Create(std::int32_t width, std::int32_t height,
                                               TPixelDepth depth);

    // Largest pixel store the program makes, so every file size fits a BMP header.
    static constexpr std::uint64_t kMaxBytes = 0x7FFFFFFFu - 2048u;

    std::int32_t Width() const { return FWidth; }
    std::int32_t Height() const { return FHeight; }
    TPixelDepth Depth() const { return FDepth; }
    std::size_t Stride() const { return FStride; }
    std::size_t SizeImage() const { return FStride * static_cast<std::size_t>(FHeight); }
    const TPalette& ColourTable() const { return FTable; }
    bool Blank() const { return FBlank; }

    // Row y counted from the top of the picture.
    std::uint8_t* RowFromTop(std::int32_t y) {
        return FBits.get() + static_cast<std::size_t>(FHeight - 1 - y) * FStride;
    }
    const std::uint8_t* RowFromTop(std::int32_t y) const {
        return FBits.get() + static_cast<std::size_t>(FHeight - 1 - y) * FStride;
    }
    // The whole store, bottom row first, as a BMP file holds it.
    const std::uint8_t* Bits() const { return FBits.get(); }

    // Writes the white that a blank store stands for.
    void Materialize();
    // The caller is about to write every pixel of every row.
    void PrepareFullWrite();

    std::shared_ptr<TPixelStore> Clone() const;

private:
    struct TToken {
        explicit TToken() = default;
    };

public:
    // Only Create makes stores; the token keeps the constructor its own.
    TPixelStore(TToken, std::int32_t width, std::int32_t height, TPixelDepth depth);

private:
    std::int32_t FWidth;
    std::int32_t FHeight;
    TPixelDepth FDepth;
    std::size_t FStride;
    TPalette FTable;
    TPixelMemory FBits;
    bool FBlank = true;
};
