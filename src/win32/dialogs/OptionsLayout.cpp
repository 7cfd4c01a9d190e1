#include "win32/dialogs/OptionsLayout.h"

#include "win32/Artwork.h"
#include "win32/dialogs/SpinArrows.h"
#include "win32/WideText.h"

#include <algorithm>
#include <string>
#include <utility>

// Builds the controls in the tab order, at 96-dpi positions scaled.
TBitmapHandle BuildOptionsControls(const TOptionsLayout& dialog) {
    HWND window = dialog.Modal.Window();
    HWND tooltip =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0,
                        0, window, nullptr, GetModuleHandleW(nullptr), nullptr);
    auto scaled = [&](int v) { return static_cast<int>(v * dialog.Scale + 0.5); };
    auto make = [&](const wchar_t* cls, TText caption, DWORD style, int x, int y, int w, int h,
                    int id, DWORD exStyle = 0) {
        const std::wstring text = caption == TText::Count ? L"" : WideFromUtf8(Text(caption));
        return dialog.Modal.AddControl(cls, text, style, scaled(x), scaled(y), scaled(w), scaled(h),
                                       id, dialog.Font, exStyle);
    };
    // A label is as high as its font's whole line, so the underline of its access key shows
    // at any resolution.
    int lineHeight = scaled(12);
    {
        TWindowDc screen(nullptr);
        TSelection selected(screen.Get(), dialog.Font);
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
        SetWindowSubclass(edit, dialog.SpinEdit, 1, 0);
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
    SendMessageW(path, EM_LIMITTEXT, dialog.PathBytes, 0);
    HWND openDir = make(L"BUTTON", TText::Count, BS_BITMAP | BS_FLAT, 308, 27, 23, 22, kOpenDir);
    TBitmapHandle folderImage = CreateMenuImage(4);
    SendMessageW(openDir, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(folderImage.Get()));

    // The file name group (4, 60).
    make(L"BUTTON", TText::GroupFileName, BS_GROUPBOX, 4, 60, 333, 81, 0);
    label(TText::LabelPrefix, 0, 16, 78, 130);
    HWND prefix = make(L"EDIT", TText::Count, WS_TABSTOP | ES_AUTOHSCROLL, 16, 93, 133, 20, kPrefix,
                       WS_EX_CLIENTEDGE);
    SendMessageW(prefix, EM_LIMITTEXT, dialog.PrefixBytes, 0);
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
    SetWindowSubclass(sample, dialog.Sample, 1, 0);

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

    // The switches panel (4, 204), then what follows a saved capture, a row each.
    make(L"STATIC", TText::Count, SS_ETCHEDFRAME | WS_GROUP, 4, 204, 333, 117 + kAddedRows, 0);
    int row = 0;
    for (const TOptionSwitch& check : kOptionSwitches) {
        if (check.Panel == TSwitchPanel::Switches) {
            make(L"BUTTON", check.Caption, BS_AUTOCHECKBOX | WS_TABSTOP, 12, 212 + 20 * row++,
                 check.Width, 17, check.Id);
        }
    }

    // The column beside: how a capture is taken (the delay, the pointer).
    const int x = kColumnLeft;
    make(L"BUTTON", TText::GroupCapture, BS_GROUPBOX | WS_GROUP, x, 4, kColumnWidth,
         52 + 20 * SwitchRows(TSwitchPanel::Capture), 0);
    label(TText::LabelDelay, SS_LEFTNOWORDWRAP, x + 8, 25, 52);
    spin(kDelay, x + 62, 20, 42, 21, 2);
    label(TText::LabelSeconds, SS_LEFTNOWORDWRAP, x + 108, 25, 30);
    row = 0;
    for (const TOptionSwitch& check : kOptionSwitches) {
        if (check.Panel == TSwitchPanel::Capture) {
            make(L"BUTTON", check.Caption, BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, x + 8,
                 48 + 20 * row++, check.Width, 17, check.Id);
        }
    }

    // The next number (4, 328), then OK and Cancel, below the added rows.
    make(L"STATIC", TText::Count, SS_SUNKEN, 4, 328 + kAddedRows, 333, 29, 0);
    label(TText::LabelNextValue, SS_LEFTNOWORDWRAP, 16, 337 + kAddedRows, 72);
    tip(spin(kStartVal, 88, 332 + kAddedRows, 77, 21, 9), TText::TipNextValue);
    make(L"BUTTON", TText::ButtonKeys, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 4, 362 + kAddedRows,
         150, 21, kKeys);
    make(L"BUTTON", TText::ButtonOk, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 168,
         362 + kAddedRows, 81, 21, IDOK);
    make(L"BUTTON", TText::ButtonCancel, BS_PUSHBUTTON | WS_TABSTOP, 256, 362 + kAddedRows, 81, 21,
         IDCANCEL);

    SendMessageW(window, DM_SETDEFID, IDOK, 0);
    return folderImage;
}
