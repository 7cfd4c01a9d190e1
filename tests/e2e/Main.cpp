// End-to-end tests of Quorlan.exe, run under Wine on a virtual display.
//
// Usage: QuorlanE2E.exe <folder holding Quorlan.exe> <empty work folder> [test name part]

#include "Driver.h"
#include "Tests.h"

#include <cstdio>
#include <string>

namespace {

int gPassed = 0;
int gFailed = 0;
std::string gOnly; // runs only the tests whose name holds this text, when given

// Tests of several monitors run only where there are several, the others only where not.
void Run(const char* name, void (*test)()) {
    if (!gOnly.empty() && std::string(name).find(gOnly) == std::string::npos) {
        return;
    }
    const bool severalMonitors = GetSystemMetrics(SM_CMONITORS) > 1;
    if ((std::string(name).find("monitors") != std::string::npos) != severalMonitors) {
        return;
    }
    std::printf("  %s\n", name);
    std::fflush(stdout);
    gCurrentFailed = false;
    test();
    (gCurrentFailed ? gFailed : gPassed) += 1;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::printf("usage: QuorlanE2E.exe <folder of Quorlan.exe> <work folder>\n");
        return 2;
    }
    SetUpDriver(argv[1], argv[2]);
    if (argc > 3) {
        gOnly = Utf8(argv[3]);
    }
    std::printf("Quorlan end-to-end tests\n");
    Run("start-up shows only the tray icon", StartupShowsOnlyTheTrayIcon);
    Run("a double-click without a region explains", DoubleClickWithoutARegionExplains);
    Run("PrintScreen and Alt+PrintScreen", PrintScreenSavesTheWholeScreen);
    Run("the region overlay", TheRegionOverlay);
    Run("the overlay on two monitors", TheOverlayOnTwoMonitors);
    Run("the overlay by keyboard", TheOverlayByKeyboard);
    Run("the overlay takes a window by a click", TheOverlayTakesAWindowByAClick);
    Run("the overwrite question", TheOverwriteQuestion);
    Run("a PrintScreen during a question waits for it", APrintScreenDuringAQuestionWaitsForIt);
    Run("the keys are Quorlan's alone", TheKeysAreQuorlansAlone);
    Run("Ctrl+PrintScreen draws a new region", CtrlPrintScreenDrawsANewRegion);
    Run("a key chosen in the keys dialog", AKeyChosenInTheKeysDialog);
    Run("Windows' own PrintScreen is asked about once", WindowsOwnPrintScreenIsAskedAboutOnce);
    Run("the options dialog", TheOptionsDialog);
    Run("the options dialog by keyboard", TheOptionsDialogByKeyboard);
    Run("the boxes are modal", TheBoxesAreModal);
    Run("names beyond the code page", NamesBeyondTheCodePage);
    Run("a frame and a mosaic are saved where drawn", AFrameAndAMosaicAreSavedWhereDrawn);
    Run("text typed and pasted is saved", TextTypedAndPastedIsSaved);
    Run("marks moved, recoloured, resized and deleted", MarksAreMovedRecolouredResizedAndDeleted);
    Run("a scrolling capture saves the whole page", AScrollingCaptureSavesTheWholePage);
    Run("a scrolling capture follows a fast page and keeps its label out",
        AScrollingCaptureFollowsAFastPageAndKeepsItsLabelOut);
    Run("a region pinned stays on top, moves, saves and closes",
        ARegionPinnedStaysOnTopMovesSavesAndCloses);
    Run("text is read to the clipboard", TextIsReadToTheClipboard);
    Run("F4 reads the marked selection", F4ReadsTheMarkedSelection);
    Run("the digit-overflow question", TheDigitOverflowQuestion);
    Run("every colour depth and JPEG", EveryDepthAndJpeg);
    Run("the pointer in the capture", ThePointerInTheCapture);
    Run("a delay counts down before the copy", ADelayCountsDownBeforeTheCopy);
    Run("a PNG of the window in front", PngOfTheWindowInFront);
    Run("the clipboard and the notice", TheClipboardAndTheNotice);
    Run("one Quorlan at a time", OneQuorlanAtATime);
    Run("exit through the menu", ExitThroughTheMenu);
    Run("a close request ends the program", ACloseRequestEndsTheProgram);
    std::printf("%d passed, %d failed\n", gPassed, gFailed);
    return gFailed == 0 ? 0 : 1;
}