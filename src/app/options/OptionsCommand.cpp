#include "app/options/Options.h"

#include "platform/OptionSwitches.h"
#include "settings/PathRules.h"
#include "settings/SettingsTable.h"

#include <algorithm>
#include <string>

namespace {

constexpr bool EveryCheckBoxEditsASwitch() {
    for (const TOptionSwitch& check : kOptionSwitches) {
        if (!SwitchSetting(check.SettingKey)) {
            return false;
        }
    }
    return true;
}
static_assert(EveryCheckBoxEditsASwitch(), "a check box names a key the settings table lacks");

// The setting a check box edits: the settings table's switch of its key.
bool TCaptureSettings::*SwitchOf(const TOptionSwitch& check) {
    return *SwitchSetting(check.SettingKey);
}

} // namespace

void TOptions::RunDialog(std::int32_t serialNo,
                         const std::function<void(std::int32_t serialNo, bool newFolder)>& taken) {
    if (FForm.Visible) {
        FDialogs.FocusOptionsDialog(); // chosen again while open: nothing is reloaded
        return;
    }
    TOptionForm& form = FForm;
    form.edtPath = FSettings.Path;
    form.edtPrefix = FSettings.Prefix;
    form.cmbFormat = FSettings.DateFormat;
    form.spnDigit.SetValue(FSettings.Digit);
    form.spnStartVal.SetValue(serialNo);
    form.spnDelay.SetValue(FSettings.Delay);
    for (const TOptionSwitch& check : kOptionSwitches) {
        form.*check.Control = FSettings.*SwitchOf(check);
    }
    form.Keys = ActionKeysOf(FSettings);
    form.SetFileType(FSettings.ImageType);
    form.SetColor(FSettings.ImageBit);

    form.Visible = true;
    // A countdown that runs out meanwhile waits for the dialog, and for its values to be taken:
    // a capture between could see its number taken back.
    FQuestions.WhileDialogOpen([&] {
        struct THide {
            TOptionForm& Form;
            ~THide() { Form.Visible = false; }
        } hide{form};
        const int result = FDialogs.RunOptionsDialog(form, form);
        form.Visible = false;
        if (result == mrOk && !FQuestions.Closing()) { // captures made meanwhile keep their effect
            const std::string oldPath = FSettings.Path;
            const std::int32_t counter = Take();
            taken(counter, FSettings.Path != oldPath);
        }
    });
}

std::int32_t TOptions::Take() {
    const TOptionForm& form = FForm;
    FSettings.Path = form.edtPath;
    FSettings.Prefix = form.edtPrefix;
    FSettings.DateFormat = form.cmbFormat;
    FSettings.Digit = form.spnDigit.Value();
    // Enter without leaving it.
    FSettings.Delay = std::clamp(form.spnDelay.Value(), 0, kMaxDelay);
    FSettings.Path = EnsureFinalBackslash(FSettings.Path);
    for (const TOptionSwitch& check : kOptionSwitches) {
        FSettings.*SwitchOf(check) = form.*check.Control;
    }
    for (int i = 0; i < kKeyActionCount; ++i) {
        FSettings.*kActionKeys[i] = form.Keys[i];
    }
    FSettings.ImageType = form.rdoFileType;
    FSettings.ImageBit = form.rdoColor;
    return form.spnStartVal.Value();
}

void TOptions::ShowSerialNo(std::int32_t serialNo) {
    if (FForm.Visible) {
        FForm.spnStartVal.SetValue(serialNo);
        FDialogs.RefreshOptionsDialog(FForm);
    }
}
