#pragma once

#include "base/LittleEndian.h"

#include <cstdint>

// The 40-byte BITMAPINFOHEADER of a bottom-up bitmap, one field per line; a BMP file and the
// clipboard's packed bitmap both start their picture with it.
inline constexpr std::uint32_t kInfoHeaderSize = 40;

inline void WriteInfoHeader(TLittleEndianWriter& out, std::int32_t width, std::int32_t height,
                            int bits, bool bitfields, std::uint32_t sizeImage,
                            std::uint32_t colours) {
    out.U32(kInfoHeaderSize);                  // biSize
    out.I32(width);                            // biWidth
    out.I32(height);                           // biHeight, positive: bottom-up
    out.U16(1);                                // biPlanes
    out.U16(static_cast<std::uint16_t>(bits)); // biBitCount
    out.U32(bitfields ? 3u : 0u);              // biCompression: BI_BITFIELDS, BI_RGB
    out.U32(sizeImage);                        // biSizeImage
    out.I32(0);                                // biXPelsPerMeter
    out.I32(0);                                // biYPelsPerMeter
    out.U32(colours);                          // biClrUsed
    out.U32(0);                                // biClrImportant
}
