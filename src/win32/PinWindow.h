#pragma once

#include "platform/Pins.h"
#include "win32/GdiHandles.h"

#include <windows.h>

#include <memory>
#include <string>

// A pinned picture's window: borderless, above other windows, a border of one pixel outside the
// picture, no taskbar button and not in Alt+Tab. A drag with the left button moves it; its keys,
// wheel, double-click, menu and close request are sent to the main window as WM_PINEVENT. It
// paints from the picture it shares with the program, and keeps its size in physical pixels
// whatever the scaling of the monitor it is dragged to.
class TPinWindow {
public:
    TPinWindow(HINSTANCE instance, HWND events, HFONT font, TPinId pin,
               std::shared_ptr<const TPixelRows> picture, TScreenPoint at);
    ~TPinWindow();
    TPinWindow(const TPinWindow&) = delete;
    TPinWindow& operator=(const TPinWindow&) = delete;

    // Once, before the first pin.
    static void RegisterWindowClass(HINSTANCE instance);

    HWND Handle() const { return FWindow.Get(); }
    void Zoom(int percent, TScreenPoint around);
    void SetOpacity(int percent);
    void FlashLabel(const std::wstring& label);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Sends the event to the main window: the program may close this pin meanwhile, so nothing
    // of it is touched after this.
    void Tell(TPinEvent event);
    void Paint(HWND window);

    HWND FEvents;
    HFONT FFont;
    TPinId FPin;
    std::shared_ptr<const TPixelRows> FPicture;
    int FZoom = 100;
    POINT FGrabbedAt{}; // the pointer's place in the window while it is dragged
    bool FDragging = false;
    std::wstring FLabel;
    TWindowHandle FWindow; // last: goes first, while the rest still stands
};
