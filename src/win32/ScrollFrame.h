#pragma once

#include "base/CaptureRegion.h"
#include "win32/GdiHandles.h"

#include <windows.h>

#include <array>
#include <string>

// What shows a scrolling capture's rectangle while it runs: four thin edges just outside it,
// which clicks go through, and a label beside it on its monitor (below, above, right or left,
// wherever there is room; none where there is none) whose click is posted to the owner as
// WM_SCROLLLABELCLICKED. None of it takes the focus, and none lies on the rectangle, so no grab
// of it holds any of it.
class TScrollFrame {
public:
    TScrollFrame(HINSTANCE instance, HWND owner);
    TScrollFrame(const TScrollFrame&) = delete;
    TScrollFrame& operator=(const TScrollFrame&) = delete;

    // Shows it (again, with new words) over that rectangle; false where the label has no room.
    bool Show(const TCaptureRegion& rect, const std::wstring& label);
    void Hide();

private:
    static LRESULT CALLBACK EdgeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK LabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool PlaceLabel();

    HINSTANCE FInstance;
    HWND FOwner;
    TCaptureRegion FRect;
    std::wstring FLabel;
    TFontHandle FFont;
    std::array<TWindowHandle, 4> FEdges;
    TWindowHandle FLabelWindow;
};
