#include "win32/Win32Platform.h"

#include "app/Program.h"

#include <objbase.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // The shell's functions (opening files, the folder browser) want COM on this thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    int result = 0;
    try {
        TWin32Platform platform(instance);
        result = RunProgram(platform);
    } catch (...) {
        result = 1;
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return result;
}
