#include "app/options/OptionForm.h"

#include "settings/FileNaming.h"
#include "base/FormatText.h"
#include "base/Texts.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "settings/CaptureSettings.h"
#include "settings/PathRules.h"

#include <algorithm>

TOptionForm::TOptionForm(IDialogs& dialogs, IShell& shell) : FDialogs(dialogs), FShell(shell) {
    PathBytes = kMaxPathBytes;
    PrefixBytes = kMaxPrefixBytes;
}

void TOptionForm::SetFileType(std::int32_t index) {
    rdoFileType = std::clamp(index, -1, kImageTypeCount - 1);
}

void TOptionForm::SetColor(std::int32_t index) {
    rdoColor = std::clamp(index, -1, kImageBitCount - 1);
}

void TOptionForm::FormShow() {
    edtPrefixChange();
}

void TOptionForm::edtPrefixChange() {
    try {
        std::string sample = edtPrefix;
        sample += MakeDatePart(cmbFormat, FShell.Now());
        sample += MakeSerialText(1, spnDigit.Value());
        sample += CaptureExtension(rdoFileType);
        edtSample = std::move(sample);
    } catch (...) {
        // The sample is only a preview: it keeps its previous text.
    }
}

std::optional<int> TOptionForm::RefusedKey(const TActionKeys& keys) {
    for (int i = 0; i < kKeyActionCount; ++i) {
        const TKeyChord key = keys[i];
        const std::string name = ActionName(static_cast<TKeyAction>(i));
        if (!IsUsableChord(key)) {
            FDialogs.ShowMessageBox(FormatText(Text(TText::KeyNeedsModifier), {name}),
                                    TBoxKind::Error, TBoxButtons::Ok);
            return i;
        }
        for (int j = 0; j < i; ++j) {
            if (!key.None() && keys[j] == key) {
                FDialogs.ShowMessageBox(FormatText(Text(TText::KeyTaken), {name}), TBoxKind::Error,
                                        TBoxButtons::Ok);
                return i;
            }
        }
    }
    return std::nullopt;
}

int TOptionForm::btnOKClick() {
    FFocusRequest = TOptionFocus::None;
    if (static_cast<std::int64_t>(spnStartVal.Text().size()) > spnDigit.Value()) {
        FDialogs.ShowMessageBox(Text(TText::DigitConflict), TBoxKind::Error, TBoxButtons::Ok);
        FFocusRequest = TOptionFocus::Digit;
        return mrNone;
    }
    if (HoldsControlCharacter(edtPath)) {
        // A pasted line break or tab names no folder, and would break the settings file.
        FDialogs.ShowMessageBox(Text(TText::BadPath), TBoxKind::Error, TBoxButtons::Ok);
        FFocusRequest = TOptionFocus::Path;
        return mrNone;
    }
    if (!IsValidPrefix(edtPrefix)) {
        FDialogs.ShowMessageBox(Text(TText::BadPrefix), TBoxKind::Error, TBoxButtons::Ok);
        FFocusRequest = TOptionFocus::Prefix;
        return mrNone;
    }
    return mrOk;
}
