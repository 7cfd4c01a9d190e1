#pragma once

#include "platform/Dialogs.h"

// The program's boxes and the options dialog, on the platform's dialog manager.
class TWin32Dialogs : public IDialogs {
public:
    int ShowMessageBox(const std::string& text, TBoxKind kind, TBoxButtons buttons) override;
    void ShowErrorBox(const std::string& text) override;
    int RunOptionsDialog(TOptionValues& values, IOptionsDialogHandler& handler) override;
    void FocusOptionsDialog() override;
    void RefreshOptionsDialog(const TOptionValues& values) override;
};
