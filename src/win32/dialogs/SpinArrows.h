#pragma once

#include <windows.h>

// The two arrow buttons, up above down, inside the right end of a spin box's edit (their
// parent). Pressing one tells the parent first (kSpinPressed: the focus goes into the box);
// the step comes on release over the pressed button, and while it is held, again after
// 400 ms and then every 100 ms as long as the pointer stays over it. Each is a WM_COMMAND to
// the parent with kSpinStepUp or kSpinStepDown as its notification code.
enum : WORD { kSpinPressed = 0x7F00, kSpinStepUp, kSpinStepDown };

// Makes the arrows in the parent's client area, `width` pixels wide at its right end.
HWND CreateSpinArrows(HWND parent, int width);
