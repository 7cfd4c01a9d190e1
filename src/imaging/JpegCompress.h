#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// One run of libjpeg's compressor over rows already in memory. This is the only code that
// calls into the library: its errors come back here by longjmp, so nothing in this frame or
// below it owns anything that needs a destructor.
struct TJpegJob {
    enum class TInput { Bgr24, Bgrx32 };

    // What to encode: rows from the top down, `RowStep` bytes apart (negative for a
    // bottom-up store).
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    const std::uint8_t* TopRow = nullptr;
    std::ptrdiff_t RowStep = 0;
    TInput Input = TInput::Bgr24;

    int Quality = 90;
    bool Progressive = false;
    bool Grayscale = false;

    std::string* Output = nullptr; // the encoded stream grows here

    // Set when the run fails.
    int MessageCode = 0;
    bool OutputFailed = false; // the stream could not grow
};

// Encodes the job; false when the library stopped with an error.
bool RunJpegCompression(TJpegJob& job) noexcept;
