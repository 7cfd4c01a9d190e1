#include "platform/win32/MessageBoxDialog.h"

#include "platform/win32/GdiHandles.h"
#include "platform/win32/UiFont.h"
#include "platform/win32/WideText.h"

#include <algorithm>
#include <vector>

namespace {

constexpr wchar_t kBoxClass[] = L"QuorlanBox";
constexpr int kTextId = 100;

struct TBoxState {
    const TBoxModel* Box = nullptr;
    std::string Text;
    int Result = mrNone;
    bool Done = false;
};

void Finish(TBoxState& state, int result) {
    if (!state.Done) {
        state.Result = result;
        state.Done = true;
    }
}

bool HasButton(const TBoxModel& box, int result) {
    return std::any_of(box.Buttons.begin(), box.Buttons.end(),
                       [result](const TBoxButton& b) { return b.Result == result; });
}

LRESULT CALLBACK BoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<TBoxState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_NCCREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        break;
    }
    case WM_COMMAND:
        if (state && HIWORD(wParam) == BN_CLICKED && HasButton(*state->Box, LOWORD(wParam))) {
            Finish(*state, LOWORD(wParam));
            return 0;
        }
        break;
    case WM_CLOSE: // the close box
        if (state) {
            Finish(*state, state->Box->CloseResult);
        }
        return 0;
    case WM_CTLCOLORSTATIC:
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterBoxClass() {
    static const bool registered = [] {
        WNDCLASSEXW cls{};
        cls.cbSize = sizeof cls;
        cls.lpfnWndProc = BoxProc;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        cls.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        cls.lpszClassName = kBoxClass;
        return RegisterClassExW(&cls) != 0;
    }();
    (void)registered;
}

// The message's lone carriage returns as line breaks the controls draw.
std::wstring DisplayText(const std::string& text) {
    std::wstring wide = WideFromCp932(text);
    std::wstring shown;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        shown += wide[i];
        if (wide[i] == L'\r' && (i + 1 >= wide.size() || wide[i + 1] != L'\n')) {
            shown += L'\n';
        }
    }
    return shown;
}

void CopyToClipboard(HWND owner, const std::string& cp932) {
    const std::wstring wide = WideFromCp932(cp932);
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

bool InBox(HWND box, HWND target) {
    return target == box || IsChild(box, target);
}

} // namespace

int RunMessageBox(const TBoxModel& box, const std::string& text) {
    RegisterBoxClass();
    TBoxState state;
    state.Box = &box;
    state.Text = text;

    const int fontHeight = std::max(12, MessageFontHeight());
    TFontHandle font = CreateJapaneseFont(fontHeight, kUiFaces);
    const std::wstring shown = DisplayText(text);

    // Measure the text wrapped at half the screen's width.
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    RECT textRect{0, 0, std::max(100, screenWidth / 2), 0};
    int buttonWidth = fontHeight * 6;
    {
        TWindowDc screen(nullptr);
        TSelection selected(screen.Get(), font.Get());
        DrawTextW(screen.Get(), shown.c_str(), -1, &textRect,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
        for (const TBoxButton& button : box.Buttons) {
            const std::wstring caption = WideFromCp932(button.Caption);
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

    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST | WS_EX_CONTROLPARENT;
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int windowWidth = frame.right - frame.left;
    const int windowHeight = frame.bottom - frame.top;

    HINSTANCE instance = GetModuleHandleW(nullptr);
    TWindowHandle window(CreateWindowExW(exStyle, kBoxClass, WideFromCp932(box.Title).c_str(),
                                         style, (screenWidth - windowWidth) / 2,
                                         (screenHeight - windowHeight) / 2, windowWidth,
                                         windowHeight, nullptr, nullptr, instance, &state));
    if (!window) {
        return box.CloseResult;
    }
    auto child = [&](const wchar_t* cls, const std::wstring& caption, DWORD childStyle, int x,
                     int y, int w, int h, int id) {
        HWND control = CreateWindowExW(
            0, cls, caption.c_str(), WS_CHILD | WS_VISIBLE | childStyle, x, y, w, h, window.Get(),
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
        return control;
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
        HWND control = child(L"BUTTON", WideFromCp932(button.Caption),
                             WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), x, y,
                             buttonWidth, buttonHeight, button.Result);
        if (isDefault) {
            defaultButton = control;
        }
        x += buttonWidth + buttonGap;
    }

    ShowWindow(window.Get(), SW_SHOWNORMAL);
    SetForegroundWindow(window.Get());
    SetFocus(defaultButton ? defaultButton : window.Get());

    // The box's own loop: every message is dispatched, so tray clicks and capture requests
    // run while it is open.
    MSG message;
    bool quit = false;
    while (!state.Done) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            quit = got == 0;
            Finish(state, box.CloseResult);
            break;
        }
        if (message.message == WM_KEYDOWN && InBox(window.Get(), message.hwnd)) {
            if (message.wParam == VK_RETURN) {
                Finish(state, box.EnterResult);
                continue;
            }
            if (message.wParam == VK_ESCAPE) {
                Finish(state, box.EscapeResult);
                continue;
            }
            if (message.wParam == 'C' && (GetKeyState(VK_CONTROL) & 0x8000)) {
                MessageBeep(MB_OK);
                CopyToClipboard(window.Get(), BoxClipboardText(box, state.Text));
                continue;
            }
        }
        if (!IsDialogMessageW(window.Get(), &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    window.Reset();
    if (quit) {
        PostQuitMessage(static_cast<int>(message.wParam)); // the loop outside must end too
    }
    return state.Result;
}
