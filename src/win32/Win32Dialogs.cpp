#include "win32/Win32Dialogs.h"

#include "win32/WideText.h"
#include "win32/dialogs/MessageBoxDialog.h"
#include "win32/dialogs/ModalDialog.h"
#include "win32/dialogs/OptionsDialog.h"

#include "base/Texts.h"
#include "platform/BoxModel.h"

int TWin32Dialogs::ShowMessageBox(const std::string& text, TBoxKind kind, TBoxButtons buttons) {
    return RunMessageBox(MakeBoxModel(kind, buttons), text);
}

void TWin32Dialogs::ShowErrorBox(const std::string& text) {
    // Owned by the window the user is working in, which it disables while open.
    MessageBoxW(VisibleActiveWindow(), WideFromUtf8(text).c_str(),
                WideFromUtf8(Text(TText::AppTitle)).c_str(),
                MB_OK | MB_ICONERROR | MB_TOPMOST | MB_SETFOREGROUND);
}

int TWin32Dialogs::RunOptionsDialog(TOptionValues& values, IOptionsDialogHandler& handler) {
    return ::RunOptionsDialog(values, handler);
}

void TWin32Dialogs::FocusOptionsDialog() {
    ::FocusOptionsDialog();
}

void TWin32Dialogs::RefreshOptionsDialog(const TOptionValues& values) {
    ::RefreshOptionsDialog(values);
}
