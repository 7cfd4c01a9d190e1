#pragma once

#include "platform/BoxModel.h"

#include <string>

// Shows one of the program's boxes: a window of its own with real child controls (an icon, the
// text, the buttons), centred on the screen, above every other window, with a modal loop that
// keeps dispatching every other message. Returns the result of the button pressed.
int RunMessageBox(const TBoxModel& box, const std::string& text);
