#pragma once

#include "platform/win32/GdiHandles.h"

// The four 16 x 16 menu images, drawn by code: 0 region, 1 capture, 2 options, 3 exit.
// Each is an opaque 32-bit bitmap on the menu colour.
TBitmapHandle CreateMenuImage(int index);
