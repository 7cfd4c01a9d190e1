#pragma once

#include "app/Option/SpinBox.h"

#include <cstdint>
#include <string>

class IPlatform;

// The options dialog's logic: the values of its controls, the live sample of the file name,
// and the checks made before OK is let through. The dialog works on these copies; the main
// form loads them before showing it and reads them back only on OK.
class TOptionForm {
public:
    explicit TOptionForm(IPlatform& platform);

    // The controls, by the names of the dialog.
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
    int rdoFileType = 0; // -1 checks no item
    int rdoColor = 3;
    std::string edtSample;

    // Setting a radio group's index clamps it to -1 .. item count - 1.
    void SetFileType(std::int32_t index);
    void SetColor(std::int32_t index);

    void FormShow();
    // Recomputes the sample; any failure leaves the previous sample.
    void edtPrefixChange();
    void spnDigitExit() { spnDigit.Exit(); }
    void spnStartValExit() { spnStartVal.Exit(); }

    // The control OK sends the user back to, its text selected.
    enum class TFocus { None, Digit, Prefix };
    // OK pressed: the dialog's result, mrOk or mrNone (the dialog stays open, the focus on
    // the control to correct).
    int btnOKClick();
    TFocus FocusRequest() const { return FFocusRequest; }

    bool Visible = false;

private:
    IPlatform& FPlatform;
    TFocus FFocusRequest = TFocus::None;
};
