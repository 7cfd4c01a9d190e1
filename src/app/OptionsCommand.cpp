#include "app/MainForm.h"

#include "platform/OptionSwitches.h"
#include "settings/PathRules.h"
#include "settings/SettingsTable.h"

#include <algorithm>

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

void TMainForm::mnOptionClick() {
    if (OptionForm.Visible) {
        FPlatform.Dialogs().FocusOptionsDialog(); // chosen again while open: nothing is reloaded
        return;
    }
    TOptionForm& form = OptionForm;
    form.edtPath = Settings.Path;
    form.edtPrefix = Settings.Prefix;
    form.cmbFormat = Settings.DateFormat;
    form.spnDigit.SetValue(Settings.Digit);
    form.spnStartVal.SetValue(FSerialNo);
    form.spnDelay.SetValue(Settings.Delay);
    for (const TOptionSwitch& check : kOptionSwitches) {
        form.*check.Control = Settings.*SwitchOf(check);
    }
    form.Keys = ActionKeysOf(Settings);
    form.SetFileType(Settings.ImageType);
    form.SetColor(Settings.ImageBit);

    form.Visible = true;
    // A countdown that runs out meanwhile waits for the dialog, and for its values to be taken:
    // a capture between could see its number taken back.
    Schedule({TSchedulerEventKind::DialogOpened});
    try {
        const int result = FPlatform.Dialogs().RunOptionsDialog(form, form);
        form.Visible = false;
        if (result == mrOk && !Closing()) { // captures made meanwhile keep their effect else
            TakeOptions();
        }
    } catch (...) {
        form.Visible = false;
        Schedule({TSchedulerEventKind::DialogClosed});
        throw;
    }
    Schedule({TSchedulerEventKind::DialogClosed});
}

void TMainForm::TakeOptions() {
    const TOptionForm& form = OptionForm;
    const std::string oldPath = Settings.Path;
    Settings.Path = form.edtPath;
    Settings.Prefix = form.edtPrefix;
    Settings.DateFormat = form.cmbFormat;
    Settings.Digit = form.spnDigit.Value();
    FSerialNo = form.spnStartVal.Value();
    Settings.Delay = std::clamp(form.spnDelay.Value(), 0, kMaxDelay); // Enter without leaving it
    Settings.Path = EnsureFinalBackslash(Settings.Path);
    for (const TOptionSwitch& check : kOptionSwitches) {
        Settings.*SwitchOf(check) = form.*check.Control;
    }
    for (int i = 0; i < kKeyActionCount; ++i) {
        Settings.*kActionKeys[i] = form.Keys[i];
    }
    FollowSettings();
    Settings.ImageType = form.rdoFileType;
    Settings.ImageBit = form.rdoColor;
    if (Settings.Path != oldPath) {
        SweepLeftovers({Settings.Path}); // captures never search their folder themselves
    }
    SaveSettings(); // a refused write reaches the general error handler; the values stay
}
