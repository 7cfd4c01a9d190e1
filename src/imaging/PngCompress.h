#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The PNG file of rows already in memory: the rows filtered, the image data compressed with
// ISA-L's igzip, the chunks framed around it.
struct TPngJob {
    enum class TInput {
        Indexed, // 1, 4 or 8 bits per pixel, rows packed from the high bits, with a palette
        Bgr24,
        Bgrx32, // the fourth byte is not alpha: it is dropped
    };

    // What to encode: rows from the top down, `RowStep` bytes apart (negative for a
    // bottom-up store).
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    const std::uint8_t* TopRow = nullptr;
    std::ptrdiff_t RowStep = 0;
    TInput Input = TInput::Bgr24;
    int IndexBits = 8;
    const std::uint8_t* PaletteRgb = nullptr; // red, green, blue per entry
    int PaletteSize = 0;
};

// Appends the whole file to `output`. Raises std::bad_alloc when memory runs out, and
// EWriteError when the compressor cannot be had.
void EncodePng(const TPngJob& job, std::string& output);
