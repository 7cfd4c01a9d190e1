#pragma once

#include "win32/GdiHandles.h"

// The 16 x 16 images, drawn by code: the menu's 0 region, 1 capture, 2 options, 3 exit, and
// 4 the open folder of the options dialog's browse button, 5 the scrolling capture.
// Each is an opaque 32-bit bitmap on the menu colour.
TBitmapHandle CreateMenuImage(int index);

// The tray icon while a capture waits: the seconds left, white on a red disc, `size` pixels
// square (the small icon size).
TIconHandle CreateCountdownIcon(int secondsLeft, int size);
