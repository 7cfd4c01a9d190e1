#pragma once

#include "win32/UniqueHandle.h"

#include <windows.h>

// Owners for the GDI and USER handles the program makes, one per kind and release function.

using TMemoryDc = TUniqueAny<HDC, DeleteDC>;
using TBitmapHandle = TUniqueAny<HBITMAP, DeleteObject>;
using TFontHandle = TUniqueAny<HFONT, DeleteObject>;
using TPaletteHandle = TUniqueAny<HPALETTE, DeleteObject>;
using TPenHandle = TUniqueAny<HPEN, DeleteObject>;
using TBrushHandle = TUniqueAny<HBRUSH, DeleteObject>;
using TIconHandle = TUniqueAny<HICON, DestroyIcon>;
using TMenuHandle = TUniqueAny<HMENU, DestroyMenu>;
using TWindowHandle = TUniqueAny<HWND, DestroyWindow>;
using THookHandle = TUniqueAny<HHOOK, UnhookWindowsHookEx>;

// A device context from GetDC, given back with ReleaseDC to the same window.
class TWindowDc {
public:
    explicit TWindowDc(HWND window) : FWindow(window), FDc(GetDC(window)) {}
    ~TWindowDc() {
        if (FDc) {
            ReleaseDC(FWindow, FDc);
        }
    }
    TWindowDc(const TWindowDc&) = delete;
    TWindowDc& operator=(const TWindowDc&) = delete;
    HDC Get() const { return FDc; }
    explicit operator bool() const { return FDc != nullptr; }

private:
    HWND FWindow;
    HDC FDc;
};

// A window's painting between BeginPaint and EndPaint.
class TPaint {
public:
    explicit TPaint(HWND window) : FWindow(window) { FDc = BeginPaint(window, &FPaint); }
    ~TPaint() { EndPaint(FWindow, &FPaint); }
    TPaint(const TPaint&) = delete;
    TPaint& operator=(const TPaint&) = delete;
    HDC Get() const { return FDc; }

private:
    HWND FWindow;
    PAINTSTRUCT FPaint{};
    HDC FDc = nullptr;
};

// An object selected into a device context, and the one it replaced put back at the end.
class TSelection {
public:
    TSelection(HDC dc, HGDIOBJ object) : FDc(dc), FOld(SelectObject(dc, object)) {}
    ~TSelection() {
        if (FOld && FOld != HGDI_ERROR) {
            SelectObject(FDc, FOld);
        }
    }
    TSelection(const TSelection&) = delete;
    TSelection& operator=(const TSelection&) = delete;
    bool Ok() const { return FOld != nullptr && FOld != HGDI_ERROR; }

private:
    HDC FDc;
    HGDIOBJ FOld;
};
