#include "win32/SingleInstance.h"
#include "win32/Win32Platform.h"
#include "win32/dialogs/MessageBoxDialog.h"

#include "app/Program.h"
#include "base/Texts.h"
#include "platform/BoxModel.h"

#include <objbase.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // The shell's functions (opening files, the folder browser) want COM on this thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    int result = 0;
    try {
        const TSingleInstance single;
        if (single.First()) {
            TWin32Platform platform(instance);
            result = RunProgram(platform);
        } else {
            // A second copy would watch the same key and save into the same names: it says so
            // and ends, having written nothing and added nothing to the desktop.
            RunMessageBox(MakeBoxModel(TBoxKind::Warning, TBoxButtons::Ok),
                          Text(TText::AlreadyRunning));
        }
    } catch (...) {
        result = 1;
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return result;
}
