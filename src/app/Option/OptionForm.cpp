#include "app/Option/OptionForm.h"

#include "app/FileNaming.h"
#include "base/FormatText.h"
#include "base/Texts.h"
#include "platform/Platform.h"
#include "settings/CaptureSettings.h"
#include "settings/PathRules.h"

#include <algorithm>

TOptionForm::TOptionForm(IPlatform& platform) : FPlatform(platform) {
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
        sample += MakeDatePart(cmbFormat, FPlatform.Now());
        sample += MakeSerialText(1, spnDigit.Value());
        sample += CaptureExtension(rdoFileType);
        edtSample = std::move(sample);
    } catch (...) {
        // The sample is only a preview: it keeps its previous text.
    }
}

namespace {

constexpr TText kKeyCaptions[kKeyActionCount] = {TText::KeyCapture, TText::KeyCaptureWindow,
                                                 TText::KeySelectRegion, TText::KeyCaptureScreen};

// "現在の矩形範囲を保存(&R)：" names its action as "現在の矩形範囲を保存".
std::string ActionName(int action) {
    const std::string& caption = Text(kKeyCaptions[action]);
    return caption.substr(0, caption.find("(&"));
}

} // namespace

std::optional<int> TOptionForm::RefusedKey(const std::array<TKeyChord, kKeyActionCount>& keys) {
    for (int i = 0; i < kKeyActionCount; ++i) {
        const TKeyChord key = keys[i];
        const bool alone = (key.Modifiers & (kModCtrl | kModAlt | kModWin)) == 0;
        if (!key.None() && alone && IsTypingKey(key.VirtualKey)) {
            FPlatform.ShowMessageBox(FormatText(Text(TText::KeyNeedsModifier), {ActionName(i)}),
                                     TBoxKind::Error, TBoxButtons::Ok);
            return i;
        }
        for (int j = 0; j < i; ++j) {
            if (!key.None() && keys[j] == key) {
                FPlatform.ShowMessageBox(FormatText(Text(TText::KeyTaken), {ActionName(i)}),
                                         TBoxKind::Error, TBoxButtons::Ok);
                return i;
            }
        }
    }
    return std::nullopt;
}

int TOptionForm::btnOKClick() {
    FFocusRequest = TOptionFocus::None;
    if (static_cast<std::int64_t>(spnStartVal.Text().size()) > spnDigit.Value()) {
        FPlatform.ShowMessageBox(Text(TText::DigitConflict), TBoxKind::Error, TBoxButtons::Ok);
        FFocusRequest = TOptionFocus::Digit;
        return mrNone;
    }
    if (HoldsControlCharacter(edtPath)) {
        // A pasted line break or tab names no folder, and would break the settings file.
        FPlatform.ShowMessageBox(Text(TText::BadPath), TBoxKind::Error, TBoxButtons::Ok);
        FFocusRequest = TOptionFocus::Path;
        return mrNone;
    }
    if (!IsValidPrefix(edtPrefix)) {
        FPlatform.ShowMessageBox(Text(TText::BadPrefix), TBoxKind::Error, TBoxButtons::Ok);
        FFocusRequest = TOptionFocus::Prefix;
        return mrNone;
    }
    return mrOk;
}
