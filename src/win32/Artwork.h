#pragma once

#include "win32/GdiHandles.h"

#include <cstdint>
#include <string>

// The 16 x 16 images, drawn by code: the menu's 0 region, 1 capture, 2 options, 3 exit, and
// 4 the open folder of the options dialog's browse button, 5 the scrolling capture, 6 text
// recognition.
// Each is an opaque 32-bit bitmap on the menu colour.
TBitmapHandle CreateMenuImage(int index);

// The tray icon while the program is busy with something: a short text (the seconds a capture
// waits, a character while text is read) white on a disc of `colour` (0xRRGGBB), `size` pixels
// square (the small icon size).
TIconHandle CreateBadgeIcon(const std::wstring& text, std::uint32_t colour, int size);
