#pragma once

#include <windows.h>

#include <cstdint>

// The program's colours (red << 16 | green << 8 | blue) as GDI takes them.
inline COLORREF ColourRefOf(std::uint32_t rgb) {
    return RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
}
