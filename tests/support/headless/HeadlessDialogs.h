#pragma once

#include "platform/Dialogs.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

// The boxes and the options dialog. Each box's answer runs inside the box, as its own message
// loop would run other handlers, and gives the button pressed; without an answer the box takes
// Enter's. DuringErrorBox runs while the general error box is open. The dialog's script runs on
// its values while it is "open" and gives the result.
class THeadlessDialogs : public IDialogs {
public:
    int ShowMessageBox(const std::string& text, TBoxKind kind, TBoxButtons buttons) override;
    void ShowErrorBox(const std::string& text) override;
    int RunOptionsDialog(TOptionValues& values, IOptionsDialogHandler& handler) override;
    void FocusOptionsDialog() override { ++DialogFocused; }
    void RefreshOptionsDialog(const TOptionValues&) override { ++DialogRefreshed; }

    void Answer(int result) {
        Answers.push_back([result] { return result; });
    }

    struct TBox {
        std::string Text;
        TBoxKind Kind;
        TBoxButtons Buttons;
    };
    std::deque<std::function<int()>> Answers;
    std::vector<TBox> Boxes;
    std::vector<std::string> ErrorBoxes;
    std::function<void()> DuringErrorBox;
    std::function<int(TOptionValues&)> DialogScript;
    int DialogsRun = 0;
    int DialogFocused = 0;
    int DialogRefreshed = 0;
};
