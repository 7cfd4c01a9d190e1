#include "win32/Win32Platform.h"

TWin32Platform::TWin32Platform(HINSTANCE instance, ITextReader& reader)
    : FReader(reader), FMainWindow(instance), FShell(FMainWindow.Handle(), FFiles),
      FOverlay(FMainWindow.Handle()), FScrolling(instance, FMainWindow.Handle()),
      FPins(instance, FMainWindow.Handle()), FTray(instance, FMainWindow.Handle()),
      FKeyWatcher(FMainWindow.Handle()) {
    FMainWindow.AddMessages(&FTray);
    FMainWindow.AddMessages(&FShell);
    FMainWindow.AddMessages(&FOverlay);
    FMainWindow.AddMessages(&FKeyWatcher);
}

TWin32Platform::~TWin32Platform() {
    // The roles go before the window, and none of them hears its messages while they go.
    FMainWindow.RemoveMessages();
}
