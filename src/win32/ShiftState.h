#pragma once

#include "platform/MainWindow.h"

#include <windows.h>

// The modifier keys and buttons of a pointer message's wParam, and Alt as the thread saw it.
inline TShiftState PointerShift(WPARAM wParam, bool doubleClick) {
    return (wParam & MK_SHIFT ? ssShift : 0) | (wParam & MK_CONTROL ? ssCtrl : 0) |
           (GetKeyState(VK_MENU) < 0 ? ssAlt : 0) | (wParam & MK_LBUTTON ? ssLeft : 0) |
           (wParam & MK_RBUTTON ? ssRight : 0) | (wParam & MK_MBUTTON ? ssMiddle : 0) |
           (doubleClick ? ssDouble : 0);
}

// The modifier keys held at a key message, as the thread saw them.
inline TShiftState KeyShift() {
    return (GetKeyState(VK_SHIFT) < 0 ? ssShift : 0) | (GetKeyState(VK_CONTROL) < 0 ? ssCtrl : 0) |
           (GetKeyState(VK_MENU) < 0 ? ssAlt : 0);
}
