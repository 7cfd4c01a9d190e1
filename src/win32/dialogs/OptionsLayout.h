#pragma once

#include "win32/GdiHandles.h"
#include "win32/dialogs/ModalDialog.h"

#include "base/Texts.h"
#include "platform/OptionSwitches.h"

#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <iterator>

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
    kStartVal = 1035,  // the check boxes have theirs in their list (OptionSwitches.h)
    kKeys = 1040,      // opens the keys dialog
    kDelay = 1041,
};

// The radio items, in the order of their numbers in the settings.
inline const wchar_t* const kFileTypeNames[] = {L"BMP", L"JPEG", L"PNG"};
inline const TText kColourNames[] = {TText::ColorMono,       TText::Color16Bit,
                                     TText::Color16Colours,  TText::Color24Bit,
                                     TText::Color256Colours, TText::Color32Bit};
inline constexpr int kFileTypes = static_cast<int>(std::size(kFileTypeNames));
inline constexpr int kColours = static_cast<int>(std::size(kColourNames));

// The rows of switches added after the first five, and the dialog's height at 96 dpi.
inline constexpr int kAddedRows = (SwitchRows(TSwitchPanel::Switches) - kFirstOptionSwitches) * 20;
// The capture column beside the first controls, and the dialog's width at 96 dpi.
inline constexpr int kColumnLeft = 344;
inline constexpr int kColumnWidth = 172;
inline constexpr int kDialogWidth = kColumnLeft + kColumnWidth + 4;
inline constexpr int kDialogHeight = 389 + kAddedRows;

// What the layout needs: the dialog, its font and scale from 96 dpi, the text boxes' byte
// limits, and the window procedures the spin boxes' edits and the sample are given.
struct TOptionsLayout {
    TModalDialog& Modal;
    HFONT Font;
    double Scale;
    std::size_t PathBytes;
    std::size_t PrefixBytes;
    SUBCLASSPROC SpinEdit;
    SUBCLASSPROC Sample;
};

// Builds the options dialog's controls in the tab order, at 96-dpi positions scaled, each with
// its caption, limits and tool tip. Returns the folder button's picture, kept while it shows.
TBitmapHandle BuildOptionsControls(const TOptionsLayout& layout);
