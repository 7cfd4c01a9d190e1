#include "win32/dialogs/ModalDialog.h"

#include "win32/CallbackErrors.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// A dialog template with no items: the style, no menu, the dialog class and the title. The
// size is set in pixels once the window exists.
std::vector<DWORD> EmptyTemplate(DWORD style, DWORD exStyle, const std::wstring& title) {
    // style, extended style, no items, x, y, cx, cy, no menu, the dialog class, the title
    constexpr std::size_t kFixedWords = 2 + 2 + 1 + 4 + 1 + 1;
    std::vector<WORD> words(kFixedWords + title.size() + 1, 0);
    words[0] = LOWORD(style);
    words[1] = HIWORD(style);
    words[2] = LOWORD(exStyle);
    words[3] = HIWORD(exStyle);
    std::copy(title.begin(), title.end(), words.begin() + kFixedWords);
    std::vector<DWORD> aligned((words.size() + 1) / 2, 0); // templates start DWORD-aligned
    std::memcpy(aligned.data(), words.data(), words.size() * sizeof(WORD));
    return aligned;
}

} // namespace

HWND VisibleActiveWindow() {
    HWND active = GetActiveWindow();
    return active && IsWindowVisible(active) ? active : nullptr;
}

TModalDialog::TModalDialog(const TFrame& frame, THandler handler)
    : FHandler(std::move(handler)), FOwner(frame.Owned ? VisibleActiveWindow() : nullptr) {
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    const DWORD exStyle = frame.TopMost ? WS_EX_TOPMOST : 0;
    const std::vector<DWORD> dialogTemplate = EmptyTemplate(style, exStyle, frame.Title);
    FWindow.Reset(CreateDialogIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(dialogTemplate.data()), FOwner,
        DialogProc, reinterpret_cast<LPARAM>(this)));
    if (!FWindow) {
        return;
    }
    RECT outer{0, 0, frame.ClientWidth, frame.ClientHeight};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(Window(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(Window(), GWL_EXSTYLE)));
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    SetWindowPos(Window(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

TModalDialog::~TModalDialog() {
    if (FOwnerDisabled) {
        EnableWindow(FOwner, TRUE); // however the dialog ends, its owner works again
    }
}

INT_PTR CALLBACK TModalDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        return FALSE; // the focus is given in Run, once the controls exist
    }
    auto* self = reinterpret_cast<TModalDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (!self || !self->FHandler) {
        return FALSE;
    }
    try {
        return self->FHandler(*self, message, wParam, lParam);
    } catch (...) {
        ReportCallbackError(); // nothing leaves a dialog procedure
        return FALSE;
    }
}

HWND TModalDialog::AddControl(const wchar_t* windowClass, const std::wstring& text, DWORD style,
                              int x, int y, int width, int height, int id, HFONT font,
                              DWORD exStyle) const {
    HWND control =
        CreateWindowExW(exStyle, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y,
                        width, height, Window(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                        GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

void TModalDialog::Focus(HWND control) const {
    SendMessageW(Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

void TModalDialog::End(int result) {
    if (!FEnded) {
        FResult = result;
        FEnded = true;
    }
}

int TModalDialog::Run(HWND first, int quitResult, const TPreview& preview) {
    if (!FWindow) {
        return quitResult;
    }
    FFocusBefore = GetFocus();
    if (FOwner && IsWindowEnabled(FOwner)) {
        EnableWindow(FOwner, FALSE);
        FOwnerDisabled = true;
    }
    ShowWindow(Window(), SW_SHOWNORMAL);
    SetForegroundWindow(Window());
    if (first) {
        Focus(first);
    }

    MSG message{};
    bool quit = false;
    while (!FEnded) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            quit = got == 0;
            End(quitResult);
            break;
        }
        if (preview && preview(message)) {
            continue;
        }
        // Messages of other windows (the tray's, the key watcher's) go on as usual.
        if (!IsDialogMessageW(Window(), &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    Restore();
    if (quit) {
        PostQuitMessage(static_cast<int>(message.wParam)); // the loop outside must end too
    }
    return FResult;
}

// The owner works again and is active, and the focus is back where it was, while the dialog
// still stands: otherwise the system would activate some other program's window.
void TModalDialog::Restore() {
    if (FOwnerDisabled) {
        EnableWindow(FOwner, TRUE);
        FOwnerDisabled = false;
    }
    HWND back = FFocusBefore;
    if (back && !(IsWindow(back) && IsWindowVisible(back) && IsWindowEnabled(back))) {
        back = nullptr;
    }
    HWND top = back ? GetAncestor(back, GA_ROOT) : FOwner;
    if (top && top != Window() && IsWindowVisible(top) && IsWindowEnabled(top)) {
        SetForegroundWindow(top);
        if (back) {
            SetFocus(back);
        }
    }
    ShowWindow(Window(), SW_HIDE);
    FWindow.Reset();
}
