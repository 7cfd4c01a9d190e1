#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// One run of libpng's writer over rows already in memory. This is the only code that calls
// into the library: its errors come back here by longjmp, so nothing in this frame or below it
// owns anything that needs a destructor.
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

    std::string* Output = nullptr; // the file grows here

    // Set when the run fails.
    bool OutputFailed = false; // the output could not grow
};

// Encodes the job; false when the library stopped with an error.
bool RunPngCompression(TPngJob& job) noexcept;
