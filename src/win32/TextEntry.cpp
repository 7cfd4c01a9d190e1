#include "win32/TextEntry.h"

#include "win32/ColourRef.h"
#include "win32/MarkDrawing.h"
#include "win32/SystemError.h"
#include "win32/WideText.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

TTextEntry::TTextEntry(HWND owner, UINT ended, POINT at, int width, std::uint32_t colour,
                       int height, const std::string& words)
    : FOwner(owner), FEnded(ended), FColour(ColourRefOf(colour)), FFont(CreateMarkFont(height)) {
    // The text's first pixel where the mark will draw it: inside a one-pixel border.
    POINT local = at;
    ScreenToClient(owner, &local);
    FEdit.Reset(CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_BORDER | ES_AUTOHSCROLL, local.x - 1,
                                local.y - 1, std::max(width, 8) + 2, height + 4, owner, nullptr,
                                nullptr, nullptr));
    if (!FEdit || !FFont) {
        RaiseOutOfResources();
    }
    SendMessageW(FEdit.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Get()), FALSE);
    SendMessageW(FEdit.Get(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    SetWindowTextW(FEdit.Get(), WideFromUtf8(words).c_str());
    SendMessageW(FEdit.Get(), EM_SETSEL, static_cast<WPARAM>(-1), static_cast<LPARAM>(-1));
    SetWindowSubclass(FEdit.Get(), EditProc, 1, reinterpret_cast<DWORD_PTR>(this));
    ShowWindow(FEdit.Get(), SW_SHOW);
    SetFocus(FEdit.Get());
}

TTextEntry::~TTextEntry() {
    if (FEdit) {
        RemoveWindowSubclass(FEdit.Get(), EditProc, 1);
        const bool focused = GetFocus() == FEdit.Get();
        FEdit.Reset();
        if (focused) {
            SetFocus(FOwner); // the overlay's keys again
        }
    }
}

std::string TTextEntry::Text() const {
    const int length = GetWindowTextLengthW(FEdit.Get());
    std::vector<wchar_t> text(static_cast<std::size_t>(length) + 1);
    const int got = GetWindowTextW(FEdit.Get(), text.data(), length + 1);
    return Utf8FromWide(std::wstring_view(text.data(), static_cast<std::size_t>(got)));
}

bool TTextEntry::Colours(HWND edit, HDC dc, LRESULT& brush) const {
    if (edit != FEdit.Get()) {
        return false;
    }
    SetTextColor(dc, FColour);
    SetBkColor(dc, RGB(255, 255, 255));
    brush = reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    return true;
}

LRESULT CALLBACK TTextEntry::EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR data) {
    const auto* self = reinterpret_cast<const TTextEntry*>(data);
    switch (message) {
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
            if (wParam == VK_ESCAPE) {
                SetWindowTextW(edit, L"");
            }
            PostMessageW(self->FOwner, self->FEnded, 0, 0);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == L'\r' || wParam == 0x1B) {
            return 0; // handled as keys above; no beep
        }
        break;
    case WM_KILLFOCUS:
        PostMessageW(self->FOwner, self->FEnded, 0, 0);
        break;
    default:
        break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}
