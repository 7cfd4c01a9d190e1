#include "app/Program.h"

#include "app/MainForm.h"
#include "imaging/Palette.h"

int RunProgram(IPlatform& platform) {
    const TDisplayColours colours = platform.DisplayColours();
    SetDisplayPalettes(
        {BuildStandardPalette16(colours.HardwarePaletteSize, colours.SystemPalette),
         colours.Halftone.size() == 256 ? colours.Halftone : TrueColourHalftonePalette()});

    TMainForm form(platform);
    platform.SetMainWindowHandler(&form);
    try {
        form.FormCreate();
    } catch (...) {
        form.HandleException();
    }
    platform.RunMessageLoop();

    platform.HideMainWindow();
    try {
        form.FormDestroy();
    } catch (...) {
        form.HandleException();
    }
    platform.SetMainWindowHandler(nullptr);
    return 0;
}
