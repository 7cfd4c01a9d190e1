#pragma once

#include "base/CaptureRegion.h"
#include "win32/GdiHandles.h"

#include <windows.h>

#include <cstdint>
#include <string>

// The box a text mark is typed in: an edit control of the system over the overlay, so that the
// input method, pasting and the edit's own keys work as everywhere. Enter or losing the focus
// ends it and Esc empties it; either way `ended` is posted to the owner.
class TTextEntry {
public:
    // Holding `words` to begin with, the caret after them.
    TTextEntry(HWND owner, UINT ended, POINT at, int width, std::uint32_t colour, int height,
               const std::string& words);
    ~TTextEntry();
    TTextEntry(const TTextEntry&) = delete;
    TTextEntry& operator=(const TTextEntry&) = delete;

    // What the box holds, in UTF-8.
    std::string Text() const;
    // WM_CTLCOLOREDIT of the owner: the text's colour on white, for this box only.
    bool Colours(HWND edit, HDC dc, LRESULT& brush) const;

private:
    static LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);
    HWND FOwner;
    UINT FEnded;
    COLORREF FColour;
    TFontHandle FFont;
    TWindowHandle FEdit;
};
