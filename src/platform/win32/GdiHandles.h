#pragma once

#include "platform/win32/UniqueHandle.h"

#include <windows.h>

// Owners for the GDI and USER handles the program makes, one per kind and release function.

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

struct TMemoryDcTraits {
    using Type = HDC;
    static Type Invalid() { return nullptr; }
    static void Close(Type dc) { DeleteDC(dc); }
};
using TMemoryDc = TUniqueHandle<TMemoryDcTraits>;

template <typename T> struct TGdiObjectTraits {
    using Type = T;
    static Type Invalid() { return nullptr; }
    static void Close(Type object) { DeleteObject(object); }
};
using TBitmapHandle = TUniqueHandle<TGdiObjectTraits<HBITMAP>>;
using TFontHandle = TUniqueHandle<TGdiObjectTraits<HFONT>>;
using TPaletteHandle = TUniqueHandle<TGdiObjectTraits<HPALETTE>>;
using TPenHandle = TUniqueHandle<TGdiObjectTraits<HPEN>>;
using TBrushHandle = TUniqueHandle<TGdiObjectTraits<HBRUSH>>;

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

struct TIconTraits {
    using Type = HICON;
    static Type Invalid() { return nullptr; }
    static void Close(Type icon) { DestroyIcon(icon); }
};
using TIconHandle = TUniqueHandle<TIconTraits>;

struct TMenuTraits {
    using Type = HMENU;
    static Type Invalid() { return nullptr; }
    static void Close(Type menu) { DestroyMenu(menu); }
};
using TMenuHandle = TUniqueHandle<TMenuTraits>;

struct TWindowTraits {
    using Type = HWND;
    static Type Invalid() { return nullptr; }
    static void Close(Type window) { DestroyWindow(window); }
};
using TWindowHandle = TUniqueHandle<TWindowTraits>;

struct THookTraits {
    using Type = HHOOK;
    static Type Invalid() { return nullptr; }
    static void Close(Type hook) { UnhookWindowsHookEx(hook); }
};
using THookHandle = TUniqueHandle<THookTraits>;
