#include "app/MainForm.h"

#include "settings/PathRules.h"

void TMainForm::mnOptionClick() {
    if (OptionForm.Visible) {
        FPlatform.FocusOptionsDialog(); // chosen again while open: nothing is reloaded
        return;
    }
    TOptionForm& form = OptionForm;
    form.edtPath = Settings.Path;
    form.edtPrefix = Settings.Prefix;
    form.cmbFormat = Settings.DateFormat;
    form.spnDigit.SetValue(Settings.Digit);
    form.spnStartVal.SetValue(FSerialNo);
    form.chkUpdate = Settings.IsUpdate;
    form.chkPosiAppli = Settings.CaptAtSameTime;
    form.chkAppli = Settings.ExecApplication;
    form.chkPrtSc = Settings.SavePrtScrKey;
    form.chkAltPrtSc = Settings.SaveAltPrtScrKey;
    form.chkClipboard = Settings.CopyToClipboard;
    form.chkNotify = Settings.NotifySaved;
    form.SetFileType(Settings.ImageType);
    form.SetColor(Settings.ImageBit);

    form.Visible = true;
    int result = mrCancel;
    try {
        result = FPlatform.RunOptionsDialog(form, form);
    } catch (...) {
        form.Visible = false;
        throw;
    }
    form.Visible = false;
    if (result != mrOk) {
        return; // captures made meanwhile keep their effect on the counter
    }

    const std::string oldPath = Settings.Path;
    Settings.Path = form.edtPath;
    Settings.Prefix = form.edtPrefix;
    Settings.DateFormat = form.cmbFormat;
    Settings.Digit = form.spnDigit.Value();
    FSerialNo = form.spnStartVal.Value();
    Settings.Path = EnsureFinalBackslash(Settings.Path);
    Settings.IsUpdate = form.chkUpdate;
    Settings.CaptAtSameTime = form.chkPosiAppli;
    Settings.ExecApplication = form.chkAppli;
    if (form.chkPrtSc || form.chkAltPrtSc) {
        InstallKeyWatcher();
    } else {
        RemoveKeyWatcher();
    }
    Settings.SavePrtScrKey = form.chkPrtSc;
    Settings.SaveAltPrtScrKey = form.chkAltPrtSc;
    Settings.CopyToClipboard = form.chkClipboard;
    Settings.NotifySaved = form.chkNotify;
    Settings.ImageType = form.rdoFileType;
    Settings.ImageBit = form.rdoColor;
    if (Settings.Path != oldPath) {
        SweepLeftovers({Settings.Path}); // captures never search their folder themselves
    }
    SaveSettings(); // a refused write reaches the general error handler; the values stay
}
