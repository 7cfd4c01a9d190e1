#include "win32/ScreenSettle.h"

#include <windows.h>
#include <dwmapi.h>

void AwaitUncoveredRepaint() {
    BOOL composited = FALSE;
    if (SUCCEEDED(DwmIsCompositionEnabled(&composited)) && composited) {
        // Every window keeps its picture with the compositor: the next frame it composes shows
        // them without what was over them.
        DwmFlush();
        return;
    }
    // Asking the windows underneath to paint at once (RDW_UPDATENOW) would hang us on any
    // program that does not answer. Under Wine a program at rest has repainted what the menu
    // uncovered within 3 to 5 ms (the latency benchmark): the bound leaves it ten times that.
    constexpr DWORD kRepaint = 40; // ms
    Sleep(kRepaint);
}
