#pragma once

#include <windows.h>

struct TOptionValues;
class IOptionsDialogHandler;

// The options dialog "環境設定": a window of real child controls over the values of a
// TOptionValues, the handler called as the user acts, laid out at the positions of 96 dpi scaled to
// the screen's, with a modal loop in which every other message is still handled. Returns mrOk or
// mrCancel.
int RunOptionsDialog(TOptionValues& values, IOptionsDialogHandler& handler);
// Brings an open dialog to the front; shows the next number after a capture.
void FocusOptionsDialog();
void RefreshOptionsDialog(const TOptionValues& values);
