#pragma once

#include "platform/Dialogs.h"

#include <functional>
#include <string>

// What a part of the program asks of the program around what it shows the user: a box and its
// answer, a dialog or menu held open (a countdown that runs out meanwhile waits for it), and
// whether the program is on its way out (then nothing more is asked or shown).
class IQuestions {
public:
    virtual ~IQuestions() = default;
    // A box of ours, counted as open while it shows; on the way out none shows (mrCancel).
    virtual int Ask(const std::string& text, TBoxKind kind, TBoxButtons buttons) = 0;
    // Runs `show` (a dialog of ours, or a menu) with it counted as open, even should it raise.
    virtual void WhileDialogOpen(const std::function<void()>& show) = 0;
    virtual void WhileMenuOpen(const std::function<void()>& show) = 0;
    virtual bool Closing() const = 0;
};
