#pragma once

#include "keys/KeyActions.h"
#include "platform/SpinBox.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// The options dialog's controls as plain data, by the names of the dialog. The dialog shows
// these values, writes what the user did back into them before it calls a handler, and shows
// what a handler changed (the sample). The byte limits of the two text boxes come with them.
struct TOptionValues {
    std::string edtPath;
    std::string edtPrefix;
    int cmbFormat = 0; // 0 to 6, the date format
    TSpinBox spnDigit{1, 9, 1, 4};
    TSpinBox spnStartVal{1, 999999999, 9, 1};
    bool chkUpdate = false;
    bool chkPosiAppli = false;
    bool chkAppli = false;
    bool chkPrtSc = false;
    bool chkAltPrtSc = false;
    bool chkClipboard = false;
    bool chkNotify = false;
    TSpinBox spnDelay{0, 30, 2, 0}; // seconds before the screen is copied
    bool chkCursor = false;
    bool chkMarkup = false;
    int rdoFileType = 0; // -1 checks no item
    int rdoColor = 3;
    std::string edtSample;
    // The keys dialog's boxes, in action order (TKeyAction).
    TActionKeys Keys{};

    std::size_t PathBytes = 0;   // code-page bytes the folder box holds
    std::size_t PrefixBytes = 0; // and the prefix box
};

// The control OK sends the user back to, its text selected.
enum class TOptionFocus { None, Digit, Prefix, Path };

// The dialog's handlers: the program's logic behind the controls. Each works on the values
// the dialog was opened with.
class IOptionsDialogHandler {
public:
    virtual ~IOptionsDialogHandler() = default;
    // The dialog is about to show: the sample is made.
    virtual void FormShow() = 0;
    // The prefix, date format, digit count or file type changed: the sample follows, or keeps
    // its previous text when it cannot be made.
    virtual void edtPrefixChange() = 0;
    // A spin box lost the focus: its text is corrected.
    virtual void spnDigitExit() = 0;
    virtual void spnStartValExit() = 0;
    virtual void spnDelayExit() = 0;
    // OK pressed: mrOk closes the dialog; mrNone keeps it open, the focus on FocusRequest().
    virtual int btnOKClick() = 0;
    virtual TOptionFocus FocusRequest() const = 0;
    // The keys dialog's OK: the action whose key is refused (its error box shown), the dialog
    // staying open on it; nothing when the keys may be taken.
    virtual std::optional<int> RefusedKey(const TActionKeys& keys) = 0;
};
