#pragma once

#include "platform/OptionValues.h"

#include <string>

// The program's own boxes: a kind (title and icon) and a fixed set of buttons.
enum class TBoxKind { Warning, Error };
enum class TBoxButtons { Ok, OkCancel, YesNo };
// What a box returns: the result of the button pressed (2 for the close box).
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

// The boxes and the options dialog. Each is modal, and while it is open the main window's other
// events keep being handled.
class IDialogs {
public:
    virtual ~IDialogs() = default;
    virtual int ShowMessageBox(const std::string& text, TBoxKind kind, TBoxButtons buttons) = 0;
    // The general error handler's box: titled "Quorlan", error icon, OK.
    virtual void ShowErrorBox(const std::string& text) = 0;
    // The options dialog, shown over its controls' values, the handler called as the user
    // acts; returns its result (mrOk or mrCancel). Focus brings an open dialog to the front;
    // Refresh shows the next number changed from outside.
    virtual int RunOptionsDialog(TOptionValues& values, IOptionsDialogHandler& handler) = 0;
    virtual void FocusOptionsDialog() = 0;
    virtual void RefreshOptionsDialog(const TOptionValues& values) = 0;
};
