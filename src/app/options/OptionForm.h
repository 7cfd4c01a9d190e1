#pragma once

#include "platform/OptionValues.h"

#include <cstdint>

class IDialogs;
class IShell;

// The options dialog's logic: the values of its controls, the live sample of the file name,
// and the checks made before OK is let through. The dialog works on these copies; the main
// form loads them before showing it and reads them back only on OK.
class TOptionForm : public TOptionValues, public IOptionsDialogHandler {
public:
    TOptionForm(IDialogs& dialogs, IShell& shell);

    // Setting a radio group's index clamps it to -1 .. item count - 1.
    void SetFileType(std::int32_t index);
    void SetColor(std::int32_t index);

    void FormShow() override;
    // Recomputes the sample; any failure leaves the previous sample.
    void edtPrefixChange() override;
    void spnDigitExit() override { spnDigit.Exit(); }
    void spnStartValExit() override { spnStartVal.Exit(); }
    void spnDelayExit() override { spnDelay.Exit(); }

    // OK pressed: the dialog's result, mrOk or mrNone (the dialog stays open, the focus on
    // the control to correct).
    int btnOKClick() override;
    TOptionFocus FocusRequest() const override { return FFocusRequest; }
    // A key must be usable (a typing key needs Ctrl, Alt or Win with it); none may serve two
    // actions.
    std::optional<int> RefusedKey(const TActionKeys& keys) override;

    // The one record of whether the dialog is open.
    bool Visible = false;

private:
    IDialogs& FDialogs;
    IShell& FShell;
    TOptionFocus FFocusRequest = TOptionFocus::None;
};
