#include "win32/dialogs/OptionsDialog.h"

#include "win32/Artwork.h"
#include "win32/CallbackErrors.h"
#include "win32/CoTaskMemory.h"
#include "win32/GdiHandles.h"
#include "win32/dialogs/ModalDialog.h"
#include "win32/dialogs/SpinArrows.h"
#include "win32/dialogs/UiFont.h"
#include "win32/WideText.h"

#include "base/Cp932.h"
#include "base/Errors.h"
#include "base/Texts.h"
#include "platform/OptionValues.h"
#include "platform/Platform.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>

namespace {

// Control identifiers; the e2e driver finds the controls by them.
enum : int {
    kPath = 1001,
    kOpenDir,
    kPrefix,
    kFormat,
    kDigit,
    kSample = kDigit + 2,
    kFileType0 = 1010, // three items
    kColor0 = 1020,    // six items
    kPosiAppli = 1030,
    kPrtSc,
    kAltPrtSc,
    kUpdate,
    kAppli,
    kStartVal,
};

// The radio items, in the order of their numbers in the settings.
const wchar_t* const kFileTypeNames[] = {L"BMP", L"JPEG", L"PNG"};
const TText kColourNames[] = {TText::ColorMono,  TText::Color16Bit,      TText::Color16Colours,
                              TText::Color24Bit, TText::Color256Colours, TText::Color32Bit};
constexpr int kFileTypes = static_cast<int>(std::size(kFileTypeNames));
constexpr int kColours = static_cast<int>(std::size(kColourNames));

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
    form.chkUpdate = Checked(kUpdate);
    form.chkPosiAppli = Checked(kPosiAppli);
    form.chkAppli = Checked(kAppli);
    form.chkPrtSc = Checked(kPrtSc);
    form.chkAltPrtSc = Checked(kAltPrtSc);
    form.rdoFileType = CheckedItem(kFileType0, kFileTypes);
    form.rdoColor = CheckedItem(kColor0, kColours);
}

void WriteControls(const TOptionValues& form) {
    SetItemText(kPath, form.edtPath);
    SetItemText(kPrefix, form.edtPrefix);
    SendMessageW(Item(kFormat), CB_SETCURSEL, static_cast<WPARAM>(form.cmbFormat), 0);
    SetItemText(kDigit, form.spnDigit.Text());
    SetItemText(kStartVal, form.spnStartVal.Text());
    Check(kUpdate, form.chkUpdate);
    Check(kPosiAppli, form.chkPosiAppli);
    Check(kAppli, form.chkAppli);
    Check(kPrtSc, form.chkPrtSc);
    Check(kAltPrtSc, form.chkAltPrtSc);
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
    return id == kDigit ? gOpen->Values->spnDigit : gOpen->Values->spnStartVal;
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
    const int target = gOpen->Handler->FocusRequest() == TOptionFocus::Digit ? kDigit : kPrefix;
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
        } else if ((id == kPrefix || id == kPath) && code == EN_CHANGE) {
            KeepWithinBytes(id,
                            id == kPrefix ? gOpen->Values->PrefixBytes : gOpen->Values->PathBytes);
            if (id == kPrefix) {
                UpdateSample();
            }
        } else if (id == kDigit && code == EN_CHANGE) {
            UpdateSample();
        } else if ((id == kDigit || id == kStartVal) && code == EN_KILLFOCUS) {
            TSpinBox& spin = SpinFor(id);
            spin.SetText(ItemText(id));
            id == kDigit ? gOpen->Handler->spnDigitExit() : gOpen->Handler->spnStartValExit();
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

// Builds the controls in the tab order, at 96-dpi positions scaled.
void BuildControls(TDialog& dialog) {
    HWND window = dialog.Modal->Window();
    HWND tooltip =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0,
                        0, window, nullptr, GetModuleHandleW(nullptr), nullptr);
    auto scaled = [&](int v) { return static_cast<int>(v * dialog.Scale + 0.5); };
    auto make = [&](const wchar_t* cls, TText caption, DWORD style, int x, int y, int w, int h,
                    int id, DWORD exStyle = 0) {
        const std::wstring text = caption == TText::Count ? L"" : WideFromUtf8(Text(caption));
        return dialog.Modal->AddControl(cls, text, style, scaled(x), scaled(y), scaled(w),
                                        scaled(h), id, dialog.Font.Get(), exStyle);
    };
    // A label is as high as its font's whole line, so the underline of its access key shows
    // at any resolution.
    int lineHeight = scaled(12);
    {
        TWindowDc screen(nullptr);
        TSelection selected(screen.Get(), dialog.Font.Get());
        TEXTMETRICW metrics{};
        if (GetTextMetricsW(screen.Get(), &metrics)) {
            lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
        }
    }
    auto label = [&](TText caption, DWORD style, int x, int y, int w) {
        HWND control = make(L"STATIC", caption, style, x, y, w, 12, 0);
        SetWindowPos(control, nullptr, 0, 0, scaled(w), std::max(scaled(15), lineHeight + 2),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    auto tip = [&](HWND control, TText text) {
        const std::wstring wide = WideFromUtf8(Text(text));
        TOOLINFOW info{};
        info.cbSize = sizeof info;
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = window;
        info.uId = reinterpret_cast<UINT_PTR>(control);
        info.lpszText = const_cast<wchar_t*>(wide.c_str());
        SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    };
    auto spin = [&](int editId, int x, int y, int w, int h, std::size_t limit) {
        HWND edit = make(L"EDIT", TText::Count, WS_TABSTOP | ES_AUTOHSCROLL | WS_CLIPCHILDREN, x, y,
                         w, h, editId, WS_EX_CLIENTEDGE);
        SendMessageW(edit, EM_LIMITTEXT, limit, 0);
        SetWindowSubclass(edit, SpinEditProc, 1, 0);
        const int arrowsWidth = scaled(13);
        SendMessageW(edit, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, arrowsWidth));
        CreateSpinArrows(edit, arrowsWidth);
        return edit;
    };

    // The path panel (4, 4).
    make(L"STATIC", TText::Count, SS_ETCHEDFRAME, 4, 4, 333, 53, 0);
    label(TText::LabelPath, 0, 12, 12, 200);
    HWND path = make(L"EDIT", TText::Count, WS_TABSTOP | ES_AUTOHSCROLL, 12, 28, 293, 20, kPath,
                     WS_EX_CLIENTEDGE);
    SendMessageW(path, EM_LIMITTEXT, dialog.Values->PathBytes, 0);
    HWND openDir = make(L"BUTTON", TText::Count, BS_BITMAP | BS_FLAT, 308, 27, 23, 22, kOpenDir);
    dialog.FolderImage = CreateMenuImage(4);
    SendMessageW(openDir, BM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(dialog.FolderImage.Get()));

    // The file name group (4, 60).
    make(L"BUTTON", TText::GroupFileName, BS_GROUPBOX, 4, 60, 333, 81, 0);
    label(TText::LabelPrefix, 0, 16, 78, 130);
    HWND prefix = make(L"EDIT", TText::Count, WS_TABSTOP | ES_AUTOHSCROLL, 16, 93, 133, 20, kPrefix,
                       WS_EX_CLIENTEDGE);
    SendMessageW(prefix, EM_LIMITTEXT, dialog.Values->PrefixBytes, 0);
    tip(prefix, TText::TipPrefix);
    label(TText::LabelDateFormat, 0, 160, 78, 118);
    HWND format = make(L"COMBOBOX", TText::Count, WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL, 160,
                       93, 113, 200, kFormat);
    const wchar_t* formats[] = {
        L"", L"yyyymmdd", L"yymmdd", L"mmdd", L"yyyymmdd hhmm", L"yymmdd hhmm", L"mmdd hhmm"};
    for (const wchar_t* item : formats) {
        SendMessageW(format, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    label(TText::LabelDigit, 0, 284, 78, 50);
    tip(spin(kDigit, 284, 93, 45, 21, 1), TText::TipDigit);
    label(TText::LabelSample, 0, 16, 120, 54);
    HWND sample = make(L"EDIT", TText::Count, WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL, 72, 120,
                       253, 17, kSample);
    SetWindowSubclass(sample, SampleProc, 1, 0);

    // The radio groups (4, 144) and (116, 144). Items stand in columns filled top to bottom.
    const int h = 12; // the font's character height at 96 dpi
    make(L"BUTTON", TText::GroupFileType, BS_GROUPBOX, 4, 144, 109, 57, 0);
    const int typeHeight = (57 - h - 5) / kFileTypes;
    for (int i = 0; i < kFileTypes; ++i) {
        HWND radio =
            make(L"BUTTON", TText::Count, BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0),
                 4 + 8, 144 + h + 1 + ((57 - h - 5) % kFileTypes) / 2 + i * typeHeight,
                 109 - 10 - 8, typeHeight, kFileType0 + i);
        SetWindowTextW(radio, kFileTypeNames[i]);
    }
    make(L"BUTTON", TText::GroupColor, BS_GROUPBOX | WS_GROUP, 116, 144, 221, 57, 0);
    const int rows = 2, itemWidth = (221 - 10) / 3, itemHeight = (57 - h - 5) / rows;
    for (int i = 0; i < kColours; ++i) {
        make(L"BUTTON", kColourNames[i], BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0),
             116 + (i / rows) * itemWidth + 8,
             144 + h + 1 + ((57 - h - 5) % rows) / 2 + (i % rows) * itemHeight, itemWidth - 4,
             itemHeight, kColor0 + i);
    }

    // The switches panel (4, 204).
    make(L"STATIC", TText::Count, SS_ETCHEDFRAME | WS_GROUP, 4, 204, 333, 117, 0);
    const std::pair<int, TText> checks[] = {{kPosiAppli, TText::CheckCaptAtSameTime},
                                            {kPrtSc, TText::CheckPrtSc},
                                            {kAltPrtSc, TText::CheckAltPrtSc},
                                            {kUpdate, TText::CheckUpdate},
                                            {kAppli, TText::CheckAppli}};
    const int widths[] = {209, 313, 313, 301, 237};
    for (int i = 0; i < 5; ++i) {
        make(L"BUTTON", checks[i].second, BS_AUTOCHECKBOX | WS_TABSTOP, 12, 212 + 20 * i, widths[i],
             17, checks[i].first);
    }

    // The next number (4, 328), then OK and Cancel.
    make(L"STATIC", TText::Count, SS_SUNKEN, 4, 328, 333, 29, 0);
    label(TText::LabelNextValue, SS_LEFTNOWORDWRAP, 16, 337, 72);
    tip(spin(kStartVal, 88, 332, 77, 21, 9), TText::TipNextValue);
    make(L"BUTTON", TText::ButtonOk, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 168, 362, 81, 21,
         IDOK);
    make(L"BUTTON", TText::ButtonCancel, BS_PUSHBUTTON | WS_TABSTOP, 256, 362, 81, 21, IDCANCEL);
    SendMessageW(window, DM_SETDEFID, IDOK, 0);
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
                             static_cast<int>(340 * dialog.Scale),
                             static_cast<int>(389 * dialog.Scale), false, false},
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
    BuildControls(dialog);
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
