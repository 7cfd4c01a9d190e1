#include "win32/dialogs/MessageBoxDialog.h"

#include "win32/GdiHandles.h"
#include "win32/dialogs/ModalDialog.h"
#include "win32/dialogs/UiFont.h"
#include "win32/WideText.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kTextId = 100;

// The message's lone carriage returns as line breaks the controls draw.
std::wstring DisplayText(const std::string& text) {
    std::wstring wide = WideFromUtf8(text);
    std::wstring shown;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        shown += wide[i];
        if (wide[i] == L'\r' && (i + 1 >= wide.size() || wide[i + 1] != L'\n')) {
            shown += L'\n';
        }
    }
    return shown;
}

void CopyToClipboard(HWND owner, const std::string& text) {
    const std::wstring wide = WideFromUtf8(text);
    if (!OpenClipboard(owner)) {
        return;
    }
    EmptyClipboard();
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void* target = GlobalLock(memory)) {
            std::copy(wide.c_str(), wide.c_str() + wide.size() + 1, static_cast<wchar_t*>(target));
            GlobalUnlock(memory);
            if (!SetClipboardData(CF_UNICODETEXT, memory)) {
                GlobalFree(memory);
            }
        } else {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
}

} // namespace

int RunMessageBox(const TBoxModel& box, const std::string& text) {
    const int fontHeight = std::max(12, MessageFontHeight());
    TFontHandle font = CreateJapaneseFont(fontHeight, kUiFaces);
    const std::wstring shown = DisplayText(text);

    // Measure the text wrapped at half the screen's width.
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    RECT textRect{0, 0, std::max(100, screenWidth / 2), 0};
    int buttonWidth = fontHeight * 6;
    {
        TWindowDc screen(nullptr);
        TSelection selected(screen.Get(), font.Get());
        DrawTextW(screen.Get(), shown.c_str(), -1, &textRect,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
        for (const TBoxButton& button : box.Buttons) {
            const std::wstring caption = WideFromUtf8(button.Caption);
            RECT r{0, 0, 0, 0};
            DrawTextW(screen.Get(), caption.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
            buttonWidth = std::max<int>(buttonWidth, r.right + fontHeight * 2);
        }
    }
    const int margin = fontHeight;
    const int iconSize = GetSystemMetrics(SM_CXICON);
    const int buttonHeight = fontHeight * 2 + 4;
    const int buttonGap = fontHeight / 2;
    const int buttonsWidth =
        static_cast<int>(box.Buttons.size()) * (buttonWidth + buttonGap) - buttonGap;
    const int contentWidth = std::max<int>(iconSize + margin + textRect.right, buttonsWidth);
    const int textHeight = std::max<int>(iconSize, textRect.bottom);
    const int clientWidth = contentWidth + 2 * margin;
    const int clientHeight = margin + textHeight + margin + buttonHeight + margin;

    // Esc reaches the box as IDCANCEL whether or not it has a Cancel button; the close box
    // as WM_CLOSE.
    auto handler = [&box](TModalDialog& dialog, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
        switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) {
                const int id = LOWORD(wParam);
                if (box.Has(id)) {
                    dialog.End(id);
                } else if (id == IDCANCEL) {
                    dialog.End(box.EscapeResult);
                }
                return TRUE;
            }
            return FALSE;
        case WM_CLOSE:
            dialog.End(box.CloseResult);
            return TRUE;
        case WM_CTLCOLORSTATIC:
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        default:
            return FALSE;
        }
    };
    TModalDialog dialog({WideFromUtf8(box.Title), clientWidth, clientHeight, true, true}, handler);
    if (!dialog) {
        return box.CloseResult;
    }
    auto child = [&](const wchar_t* cls, const std::wstring& caption, DWORD childStyle, int x,
                     int y, int w, int h, int id) {
        return dialog.AddControl(cls, caption, childStyle, x, y, w, h, id, font.Get());
    };
    HWND icon = child(L"STATIC", L"", SS_ICON, margin, margin, iconSize, iconSize, 0);
    SendMessageW(icon, STM_SETICON,
                 reinterpret_cast<WPARAM>(
                     LoadIconW(nullptr, box.Kind == TBoxKind::Warning ? IDI_WARNING : IDI_ERROR)),
                 0);
    child(L"STATIC", shown, SS_LEFT | SS_NOPREFIX, margin + iconSize + margin,
          margin + (textHeight - textRect.bottom) / 2, textRect.right, textRect.bottom, kTextId);

    HWND defaultButton = nullptr;
    int x = (clientWidth - buttonsWidth) / 2;
    const int y = margin + textHeight + margin;
    for (const TBoxButton& button : box.Buttons) {
        const bool isDefault = button.Result == box.EnterResult;
        HWND control = child(L"BUTTON", WideFromUtf8(button.Caption),
                             WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), x, y,
                             buttonWidth, buttonHeight, button.Result);
        if (isDefault) {
            defaultButton = control;
        }
        x += buttonWidth + buttonGap;
    }
    SendMessageW(dialog.Window(), DM_SETDEFID, static_cast<WPARAM>(box.EnterResult), 0);

    // Ctrl+C copies the box as text, wherever the focus is in it.
    const auto copy = [&](const MSG& message) {
        const bool inBox =
            message.hwnd == dialog.Window() || IsChild(dialog.Window(), message.hwnd);
        if (inBox && message.message == WM_KEYDOWN && message.wParam == 'C' &&
            (GetKeyState(VK_CONTROL) & 0x8000)) {
            MessageBeep(MB_OK);
            CopyToClipboard(dialog.Window(), BoxClipboardText(box, text));
            return true;
        }
        return false;
    };
    return dialog.Run(defaultButton, box.CloseResult, copy);
}
