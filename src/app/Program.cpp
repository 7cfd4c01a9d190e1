#include "app/Program.h"

#include "app/MainForm.h"
#include "imaging/ColourMatcher.h"
#include "imaging/Palette.h"

#include <exception>
#include <thread>

int RunProgram(IPlatform& platform) {
    const TDisplayColours colours = platform.Display().DisplayColours();
    SetDisplayPalettes(
        {BuildStandardPalette16(colours.HardwarePaletteSize, colours.SystemPalette),
         colours.Halftone.size() == 256 ? colours.Halftone : TrueColourHalftonePalette()});

    TMainForm form(platform);
    platform.Loop().SetEventHandler(&form);
    // The colour matchers of the paletted depths take a while to build: they are made now, off
    // this thread, so that the first such capture finds them ready (one that comes sooner
    // waits for the one being built; none is built twice). Joined before the form goes.
    std::jthread prepareMatchers;
    try {
        prepareMatchers = std::jthread([&form] {
            try {
                for (const int bits : {1, 4, 8}) {
                    TColourMatcher::For(PaletteForBits(bits));
                }
            } catch (...) {
                form.HandBackgroundError(std::current_exception());
            }
        });
    } catch (...) {
        // No thread: the first capture at such a depth builds its matcher.
    }
    try {
        form.FormCreate();
    } catch (...) {
        form.HandleException();
    }
    platform.Loop().RunMessageLoop();

    platform.Overlay().HideMainWindow();
    try {
        form.FormDestroy();
    } catch (...) {
        form.HandleException();
    }
    platform.Loop().SetEventHandler(nullptr);
    return 0;
}
