#include "platform/BoxModel.h"

#include "base/Texts.h"

#include <algorithm>

bool TBoxModel::Has(int result) const {
    return std::any_of(Buttons.begin(), Buttons.end(),
                       [result](const TBoxButton& button) { return button.Result == result; });
}

TBoxModel MakeBoxModel(TBoxKind kind, TBoxButtons buttons) {
    TBoxModel box;
    box.Kind = kind;
    box.Title = Text(kind == TBoxKind::Warning ? TText::WarningTitle : TText::ErrorTitle);
    const bool yesNo = buttons == TBoxButtons::YesNo;
    const bool ok = !yesNo;
    const bool cancel = buttons == TBoxButtons::OkCancel;
    // Always in this order: Yes, No, OK, Cancel.
    if (yesNo) {
        box.Buttons.push_back({Text(TText::ButtonYes), mrYes});
        box.Buttons.push_back({Text(TText::ButtonNo), mrNo});
    }
    if (ok) {
        box.Buttons.push_back({Text(TText::ButtonOk), mrOk});
    }
    if (cancel) {
        box.Buttons.push_back({Text(TText::ButtonCancel), mrCancel});
    }
    box.EnterResult = box.Has(mrOk) ? mrOk : mrYes;
    box.EscapeResult = box.Has(mrCancel) ? mrCancel : box.Has(mrNo) ? mrNo : mrOk;
    return box;
}

std::string BoxClipboardText(const TBoxModel& box, const std::string& text) {
    const std::string rule(27, '-');
    std::string captions;
    for (const TBoxButton& button : box.Buttons) {
        std::string caption = button.Caption;
        caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
        captions += caption + "   ";
    }
    std::string copied;
    for (const std::string& line : {rule, box.Title, rule, text, rule, captions, rule}) {
        copied += line + "\r\n";
    }
    return copied;
}
