#include "win32/dialogs/KeysDialog.h"

#include "win32/KeyModifiers.h"
#include "win32/KeyWatcherThread.h"
#include "win32/WideText.h"
#include "win32/dialogs/ModalDialog.h"

#include "base/Texts.h"
#include "platform/Dialogs.h"
#include "win32/PrivateMessages.h"

#include <memory>

namespace {

constexpr int kFirstBox = 1101; // the e2e driver finds the boxes by their identifiers
// Below the last box, at 96 dpi: the hint, then the buttons.
constexpr int kBoxesEnd = 12 + 28 * kKeyActionCount - 4;

struct TKeysDialog {
    TActionKeys Keys;
    IOptionsDialogHandler* Handler = nullptr;
    std::unique_ptr<TModalDialog> Modal;
};

int BoxOf(const TKeysDialog& dialog, HWND window) {
    for (int i = 0; i < kKeyActionCount; ++i) {
        if (dialog.Modal->Control(kFirstBox + i) == window) {
            return i;
        }
    }
    return -1;
}

void SetKey(TKeysDialog& dialog, int box, TKeyChord key) {
    dialog.Keys[box] = key;
    SetWindowTextW(dialog.Modal->Control(kFirstBox + box), WideFromUtf8(KeyChordText(key)).c_str());
}

// A key pressed in a box: Backspace or Delete alone clears it, a named key sets it.
void ChooseKey(TKeysDialog& dialog, int box, TKeyCode key, std::uint8_t modifiers) {
    if ((key == VK_BACK || key == VK_DELETE) && modifiers == 0) {
        SetKey(dialog, box, {});
    } else if (!IsModifierKey(key) && !KeyName(key).empty()) {
        SetKey(dialog, box, {key, modifiers});
    }
}

// The key boxes take their keys before the dialog manager sees them, so that Alt with a
// letter is a key, not a label's access key, and a lone Alt does not open the window menu.
// While the key watcher runs, it hands them every key (WM_KEYCHOSEN), bound ones included.
bool PreviewKey(TKeysDialog& dialog, const MSG& message) {
    if (message.message == WM_KEYCHOSEN && message.hwnd == dialog.Modal->Window()) {
        const int box = BoxOf(dialog, GetFocus());
        if (box >= 0) {
            ChooseKey(dialog, box, static_cast<TKeyCode>(message.wParam),
                      static_cast<std::uint8_t>(message.lParam));
        }
        return true;
    }
    const int box = BoxOf(dialog, message.hwnd);
    if (box < 0) {
        return false;
    }
    const auto key = static_cast<TKeyCode>(message.wParam);
    const std::uint8_t modifiers = HeldModifiers(GetKeyState); // as this message found them
    switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if ((key == VK_TAB && (modifiers & ~kModShift) == 0) ||
            ((key == VK_RETURN || key == VK_ESCAPE) && modifiers == 0)) {
            return false; // the dialog's own
        }
        ChooseKey(dialog, box, key, modifiers);
        return true;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (key == VK_SNAPSHOT) {
            SetKey(dialog, box, {kKeyPrintScreen, modifiers}); // Windows sends it as a key-up only
        }
        return true;
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
        return true;
    default:
        return false;
    }
}

} // namespace

bool RunKeysDialog(TActionKeys& keys, IOptionsDialogHandler& handler, HFONT font, double scale) {
    TKeysDialog dialog{keys, &handler, nullptr};
    auto scaled = [&](int v) { return static_cast<int>(v * scale + 0.5); };
    TKeysDialog* self = &dialog;
    dialog.Modal = std::make_unique<TModalDialog>(
        TModalDialog::TFrame{WideFromUtf8(Text(TText::KeysCaption)), scaled(380),
                             scaled(kBoxesEnd + 84), true, false},
        [self](TModalDialog& modal, UINT message, WPARAM wParam, LPARAM lParam) -> INT_PTR {
            if (message == WM_COMMAND &&
                (HIWORD(wParam) == EN_SETFOCUS || HIWORD(wParam) == EN_KILLFOCUS)) {
                // The watcher hands a key box its keys while it has the focus.
                const HWND box = reinterpret_cast<HWND>(lParam);
                if (BoxOf(*self, box) >= 0) {
                    ChooseKeyIn(HIWORD(wParam) == EN_SETFOCUS ? box : nullptr);
                }
                return FALSE;
            }
            if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
                if (LOWORD(wParam) == IDOK) {
                    if (const auto refused = self->Handler->RefusedKey(self->Keys)) {
                        modal.Focus(modal.Control(kFirstBox + *refused));
                    } else {
                        modal.End(mrOk);
                    }
                    return TRUE;
                }
                if (LOWORD(wParam) == IDCANCEL) {
                    modal.End(mrCancel);
                    return TRUE;
                }
            }
            if (message == WM_CLOSE) {
                modal.End(mrCancel);
                return TRUE;
            }
            if (message == WM_CTLCOLORSTATIC && BoxOf(*self, reinterpret_cast<HWND>(lParam)) >= 0) {
                // Read-only, yet a box to type into.
                SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
                return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
            }
            return FALSE;
        });
    if (!*dialog.Modal) {
        return false;
    }
    const TModalDialog& modal = *dialog.Modal;
    for (int i = 0; i < kKeyActionCount; ++i) {
        const int y = 12 + 28 * i;
        modal.AddControl(L"STATIC", WideFromUtf8(Text(kKeyActions[i].Caption)),
                         SS_LEFT | SS_CENTERIMAGE, scaled(10), scaled(y), scaled(200), scaled(21),
                         0, font);
        modal.AddControl(L"EDIT", WideFromUtf8(KeyChordText(keys[i])),
                         WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL, scaled(214), scaled(y),
                         scaled(156), scaled(21), kFirstBox + i, font, WS_EX_CLIENTEDGE);
    }
    modal.AddControl(L"STATIC", WideFromUtf8(Text(TText::KeysHint)), SS_LEFT, scaled(10),
                     scaled(kBoxesEnd + 14), scaled(360), scaled(30), 0, font);
    modal.AddControl(L"BUTTON", WideFromUtf8(Text(TText::ButtonOk)),
                     BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, scaled(203), scaled(kBoxesEnd + 52),
                     scaled(81), scaled(23), IDOK, font);
    modal.AddControl(L"BUTTON", WideFromUtf8(Text(TText::ButtonCancel)), BS_PUSHBUTTON | WS_TABSTOP,
                     scaled(289), scaled(kBoxesEnd + 52), scaled(81), scaled(23), IDCANCEL, font);
    SendMessageW(modal.Window(), DM_SETDEFID, IDOK, 0);

    ListenForKeys(modal.Window());
    struct TStopListening {
        ~TStopListening() { ListenForKeys(nullptr); }
    } stopListening;
    const int result =
        dialog.Modal->Run(modal.Control(kFirstBox), mrCancel,
                          [self](const MSG& message) { return PreviewKey(*self, message); });
    if (result != mrOk) {
        return false;
    }
    keys = dialog.Keys;
    return true;
}
