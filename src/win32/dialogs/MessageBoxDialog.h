#pragma once

#include "platform/BoxModel.h"

#include <string>

// Shows one of the program's boxes: a dialog with real child controls (an icon, the text, the
// buttons), centred on the screen, above every other window, owned by the window active on this
// thread and disabling it while open; every other message is still handled. Returns the result
// of the button pressed (Enter presses the focused button, Yes or OK until the focus moves).
int RunMessageBox(const TBoxModel& box, const std::string& text);
