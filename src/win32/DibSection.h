#pragma once

#include "win32/GdiHandles.h"

#include <windows.h>

#include <cstdint>

// The header of a 32-bit device-independent bitmap with its rows from the top.
BITMAPINFO TopDown32(std::int32_t width, std::int32_t height);

// A 32-bit top-down section, selected into a memory device context for its whole life.
// Raises EOutOfResources when the system has none to give.
struct TDibSection {
    TDibSection(HDC screen, int width, int height);
    ~TDibSection();
    TDibSection(const TDibSection&) = delete;
    TDibSection& operator=(const TDibSection&) = delete;

    TMemoryDc Dc;
    TBitmapHandle Bitmap;
    HGDIOBJ Old = nullptr;
    void* Bits = nullptr;
    int Width;
    int Height;
};
