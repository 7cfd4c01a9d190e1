#pragma once

#include "platform/Dialogs.h"

#include <string>
#include <vector>

// How one of the program's boxes looks and answers: its title by kind, its buttons in the
// fixed order with their captions and results, and what Enter, Esc and the close box give.
struct TBoxButton {
    std::string Caption; // with "&" before an access key
    int Result = mrNone;
};

struct TBoxModel {
    std::string Title;
    TBoxKind Kind = TBoxKind::Error;
    std::vector<TBoxButton> Buttons;
    int EnterResult = mrNone;  // OK if present, else Yes
    int EscapeResult = mrNone; // Cancel if present, else No, else OK
    int CloseResult = mrCancel;

    // One of its buttons gives this result.
    bool Has(int result) const;
};

TBoxModel MakeBoxModel(TBoxKind kind, TBoxButtons buttons);

// What Ctrl+C copies: the title, the message and the captions between lines of 27 "-".
std::string BoxClipboardText(const TBoxModel& box, const std::string& text);
