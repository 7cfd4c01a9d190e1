#include "win32/dialogs/OptionsDialog.h"

#include "win32/Artwork.h"
#include "win32/CallbackErrors.h"
#include "win32/CoTaskMemory.h"
#include "win32/GdiHandles.h"
#include "win32/dialogs/KeysDialog.h"
#include "win32/dialogs/ModalDialog.h"
#include "win32/dialogs/OptionsLayout.h"
#include "win32/dialogs/SpinArrows.h"
#include "win32/dialogs/UiFont.h"
#include "win32/WideText.h"

#include "base/Cp932.h"
#include "base/Errors.h"
#include "base/Texts.h"
#include "platform/OptionValues.h"
#include "platform/Dialogs.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>

namespace {

struct TDialog {
    TOptionValues* Values = nullptr;
    IOptionsDialogHandler* Handler = nullptr;
    std::unique_ptr<TModalDialog> Modal;
    TFontHandle Font;
    TBitmapHandle FolderImage;
    double Scale = 1.0;
    bool Loading = false; // controls being filled: their change notices are not the user's
};

TDialog* gOpen = nullptr; // the one dialog there can be

HWND Item(int id) {
    return gOpen->Modal->Control(id);
}

std::string ItemText(int id) {
    HWND control = Item(id);
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return Utf8FromWide(text);
}

void SetItemText(int id, const std::string& text) {
    SetWindowTextW(Item(id), WideFromUtf8(text).c_str());
}

bool Checked(int id) {
    return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Check(int id, bool on) {
    SendMessageW(Item(id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

int CheckedItem(int first, int count) {
    for (int i = 0; i < count; ++i) {
        if (Checked(first + i)) {
            return i;
        }
    }
    return -1;
}

// Control values into the values, as the handlers see them.
void ReadControls(TOptionValues& form) {
    form.edtPath = ItemText(kPath);
    form.edtPrefix = ItemText(kPrefix);
    form.cmbFormat = static_cast<int>(SendMessageW(Item(kFormat), CB_GETCURSEL, 0, 0));
    form.spnDigit.SetText(ItemText(kDigit));
    form.spnStartVal.SetText(ItemText(kStartVal));
    form.spnDelay.SetText(ItemText(kDelay));
    for (const TOptionSwitch& check : kOptionSwitches) {
        form.*check.Control = Checked(check.Id);
    }
    form.rdoFileType = CheckedItem(kFileType0, kFileTypes);
    form.rdoColor = CheckedItem(kColor0, kColours);
}

void WriteControls(const TOptionValues& form) {
    SetItemText(kPath, form.edtPath);
    SetItemText(kPrefix, form.edtPrefix);
    SendMessageW(Item(kFormat), CB_SETCURSEL, static_cast<WPARAM>(form.cmbFormat), 0);
    SetItemText(kDigit, form.spnDigit.Text());
    SetItemText(kStartVal, form.spnStartVal.Text());
    SetItemText(kDelay, form.spnDelay.Text());
    for (const TOptionSwitch& check : kOptionSwitches) {
        Check(check.Id, form.*check.Control);
    }
    for (int i = 0; i < kFileTypes; ++i) {
        Check(kFileType0 + i, form.rdoFileType == i);
    }
    for (int i = 0; i < kColours; ++i) {
        Check(kColor0 + i, form.rdoColor == i);
    }
    // Checking a radio item makes it the group's tab stop; a group with none checked is
    // reached at its first item.
    for (const auto& [first, checked] :
         {std::pair{kFileType0, form.rdoFileType}, std::pair{kColor0, form.rdoColor}}) {
        if (checked < 0) {
            HWND item = Item(first);
            SetWindowLongPtrW(item, GWL_STYLE, GetWindowLongPtrW(item, GWL_STYLE) | WS_TABSTOP);
        }
    }
}

void UpdateSample() {
    if (gOpen->Loading) {
        return;
    }
    TOptionValues& form = *gOpen->Values;
    form.edtPrefix = ItemText(kPrefix);
    form.cmbFormat = static_cast<int>(SendMessageW(Item(kFormat), CB_GETCURSEL, 0, 0));
    form.spnDigit.SetText(ItemText(kDigit));
    form.rdoFileType = CheckedItem(kFileType0, kFileTypes);
    gOpen->Handler->edtPrefixChange();
    SetItemText(kSample, form.edtSample);
}

// Edit boxes limited in code-page bytes (a character the code page cannot hold counts 2): a
// change past the limit is cut back to it.
void KeepWithinBytes(int id, std::size_t limit) {
    if (gOpen->Loading) {
        return;
    }
    const std::string text = ItemText(id);
    if (Cp932Bytes(text) <= limit) {
        return;
    }
    const std::string cut = CutToCp932Bytes(text, limit); // whole characters only
    MessageBeep(MB_OK);
    SetItemText(id, cut);
    const auto end = static_cast<WPARAM>(WideFromUtf8(cut).size());
    SendMessageW(Item(id), EM_SETSEL, end, end);
}

TSpinBox& SpinFor(int id) {
    return id == kDigit   ? gOpen->Values->spnDigit
           : id == kDelay ? gOpen->Values->spnDelay
                          : gOpen->Values->spnStartVal;
}

void StepSpin(int id, int delta) {
    TSpinBox& spin = SpinFor(id);
    spin.SetText(ItemText(id));
    delta > 0 ? spin.StepUp() : spin.StepDown();
    SetItemText(id, spin.Text());
    if (GetFocus() != Item(id)) {
        gOpen->Modal->Focus(Item(id));
    }
}

bool IsEnterOrEsc(WPARAM key) {
    return key == VK_RETURN || key == VK_ESCAPE;
}

// The spin boxes' edits: their key rules, the arrow keys, and the arrows' notices.
LRESULT SpinEditMessage(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE: {
        // Enter and Esc are the box's own: they press neither OK nor Cancel.
        const auto* pending = reinterpret_cast<const MSG*>(lParam);
        const LRESULT code = DefSubclassProc(edit, message, wParam, lParam);
        return pending && pending->message == WM_KEYDOWN && IsEnterOrEsc(pending->wParam)
                   ? code | DLGC_WANTMESSAGE
                   : code;
    }
    case WM_KEYDOWN:
        if (IsEnterOrEsc(wParam)) {
            return 0; // consumed; the character that follows meets the filter below
        }
        if (wParam == VK_UP || wParam == VK_DOWN) {
            StepSpin(GetDlgCtrlID(edit), wParam == VK_UP ? 1 : -1);
            return 0;
        }
        break;
    case WM_CHAR: {
        wchar_t separator[4] = L".";
        GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 4);
        switch (TSpinBox::FilterChar(static_cast<char32_t>(wParam), separator[0])) {
        case TSpinBox::TKeyVerdict::Refused:
            MessageBeep(MB_OK);
            return 0;
        case TSpinBox::TKeyVerdict::Dropped:
            return 0;
        case TSpinBox::TKeyVerdict::Accepted:
            break;
        }
        break;
    }
    case WM_SETFOCUS: {
        const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        return result;
    }
    case WM_COMMAND:
        if (HIWORD(wParam) == kSpinPressed) {
            if (GetFocus() != edit) {
                gOpen->Modal->Focus(edit);
            }
            return 0;
        }
        if (HIWORD(wParam) == kSpinStepUp || HIWORD(wParam) == kSpinStepDown) {
            StepSpin(GetDlgCtrlID(edit), HIWORD(wParam) == kSpinStepUp ? 1 : -1);
            return 0;
        }
        break;
    default:
        break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

LRESULT CALLBACK SpinEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR) {
    try {
        return SpinEditMessage(edit, message, wParam, lParam);
    } catch (...) {
        ReportCallbackError(); // nothing leaves a window procedure
        return 0;
    }
}

// The sample takes the focus without selecting its text.
LRESULT CALLBACK SampleProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR) {
    const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
    return message == WM_GETDLGCODE ? result & ~static_cast<LRESULT>(DLGC_HASSETSEL) : result;
}

void OkClicked() {
    ReadControls(*gOpen->Values);
    if (gOpen->Handler->btnOKClick() == mrOk) {
        gOpen->Modal->End(mrOk);
        return;
    }
    const TOptionFocus focus = gOpen->Handler->FocusRequest();
    const int target = focus == TOptionFocus::Digit  ? kDigit
                       : focus == TOptionFocus::Path ? kPath
                                                     : kPrefix;
    gOpen->Modal->Focus(Item(target)); // its text selected
}

void BrowseForFolder() {
    const std::wstring title = WideFromUtf8(Text(TText::FolderBrowserTitle));
    BROWSEINFOW browse{};
    browse.hwndOwner = gOpen->Modal->Window();
    browse.lpszTitle = title.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN;
    const TCoTaskMemory<ITEMIDLIST> item(SHBrowseForFolderW(&browse));
    if (item.Get()) {
        wchar_t path[MAX_PATH] = L"";
        if (SHGetPathFromIDListW(item.Get(), path)) {
            SetWindowTextW(Item(kPath), path);
        }
    }
    gOpen->Modal->Focus(Item(kPath)); // chosen or not, the folder is what the user was at
}

// The dialog's own handling; the dialog manager does the rest.
INT_PTR HandleMessage(TModalDialog& dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!gOpen) {
        return FALSE; // being destroyed
    }
    switch (message) {
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if (id == IDOK && code == BN_CLICKED) {
            OkClicked();
        } else if (id == IDCANCEL && code == BN_CLICKED) {
            dialog.End(mrCancel); // the Cancel button, Esc, the close box
        } else if (id == kOpenDir && code == BN_CLICKED) {
            BrowseForFolder();
        } else if (id == kKeys && code == BN_CLICKED) {
            RunKeysDialog(gOpen->Values->Keys, *gOpen->Handler, gOpen->Font.Get(), gOpen->Scale);
        } else if ((id == kPrefix || id == kPath) && code == EN_CHANGE) {
            KeepWithinBytes(id,
                            id == kPrefix ? gOpen->Values->PrefixBytes : gOpen->Values->PathBytes);
            if (id == kPrefix) {
                UpdateSample();
            }
        } else if (id == kDigit && code == EN_CHANGE) {
            UpdateSample();
        } else if ((id == kDigit || id == kStartVal || id == kDelay) && code == EN_KILLFOCUS) {
            TSpinBox& spin = SpinFor(id);
            spin.SetText(ItemText(id));
            id == kDigit   ? gOpen->Handler->spnDigitExit()
            : id == kDelay ? gOpen->Handler->spnDelayExit()
                           : gOpen->Handler->spnStartValExit();
            if (ItemText(id) != spin.Text()) {
                SetItemText(id, spin.Text());
            }
        } else if (id == kFormat && code == CBN_SELCHANGE) {
            UpdateSample();
        } else if (id >= kFileType0 && id < kFileType0 + kFileTypes && code == BN_CLICKED) {
            UpdateSample();
        } else {
            return FALSE;
        }
        return TRUE;
    }
    case WM_CLOSE:
        dialog.End(mrCancel);
        return TRUE;
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lParam) == Item(kSample)) {
            SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        }
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

int RunOptionsDialog(TOptionValues& form, IOptionsDialogHandler& handler) {
    static const bool initialised = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)initialised;
    TDialog dialog;
    dialog.Values = &form;
    dialog.Handler = &handler;
    {
        TWindowDc screen(nullptr);
        dialog.Scale = GetDeviceCaps(screen.Get(), LOGPIXELSY) / 96.0;
    }
    dialog.Font =
        CreateJapaneseFont(static_cast<int>(12 * dialog.Scale + 0.5),
                           {L"ＭＳ Ｐゴシック", L"MS PGothic", L"IPAPGothic", L"IPAGothic"});
    // Not owned: the tray, its menu and the overlay go on working under it.
    dialog.Modal = std::make_unique<TModalDialog>(
        TModalDialog::TFrame{WideFromUtf8(Text(TText::OptionCaption)),
                             static_cast<int>(kDialogWidth * dialog.Scale),
                             static_cast<int>(kDialogHeight * dialog.Scale), false, false},
        HandleMessage);
    if (!*dialog.Modal) {
        return mrCancel;
    }
    // However this function ends, no pointer to its dialog outlives it.
    struct TOpenDialog {
        explicit TOpenDialog(TDialog& open) { gOpen = &open; }
        ~TOpenDialog() { gOpen = nullptr; }
        TOpenDialog(const TOpenDialog&) = delete;
        TOpenDialog& operator=(const TOpenDialog&) = delete;
    } open(dialog);
    dialog.FolderImage =
        BuildOptionsControls({*dialog.Modal, dialog.Font.Get(), dialog.Scale, form.PathBytes,
                              form.PrefixBytes, SpinEditProc, SampleProc});
    dialog.Loading = true;
    WriteControls(form);
    dialog.Loading = false;
    handler.FormShow();
    SetItemText(kSample, form.edtSample);
    return dialog.Modal->Run(Item(kPath), mrCancel) == mrOk ? mrOk : mrCancel;
}

void FocusOptionsDialog() {
    if (gOpen) {
        SetForegroundWindow(gOpen->Modal->Window());
    }
}

void RefreshOptionsDialog(const TOptionValues& form) {
    if (gOpen) {
        gOpen->Loading = true;
        SetItemText(kStartVal, form.spnStartVal.Text());
        gOpen->Loading = false;
    }
}
