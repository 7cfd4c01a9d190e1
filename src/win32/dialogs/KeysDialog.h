#pragma once

#include "platform/OptionValues.h"

#include <windows.h>

#include <array>

// The keys dialog, opened from the options: a key box per action, in action order. Pressing a
// combination in a box sets it; Backspace or Delete alone clears it; Tab, Enter and Esc alone
// keep their dialog meaning. OK asks the handler whether the keys may be taken. True on OK, the
// keys then changed; Cancel leaves them as they were.
bool RunKeysDialog(TActionKeys& keys, IOptionsDialogHandler& handler, HFONT font, double scale);
