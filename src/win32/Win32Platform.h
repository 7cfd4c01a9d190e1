#pragma once

#include "platform/Platform.h"
#include "win32/MainWindow.h"
#include "win32/TrayIcon.h"
#include "win32/Win32Dialogs.h"
#include "win32/Win32Display.h"
#include "win32/Win32FileSystem.h"
#include "win32/Win32KeyWatcher.h"
#include "win32/Win32Overlay.h"
#include "win32/Win32Pins.h"
#include "win32/Win32Scrolling.h"
#include "win32/Win32Shell.h"

// The program's desktop on Windows: the hidden main window and its roles. Its members are made
// in the order they depend on each other and go in the reverse: the watcher posts to the window,
// the icon belongs to it, and the window's last messages must not reach a role being taken
// apart.
class TWin32Platform : public IPlatform {
public:
    // `reader`: the text recogniser, made by the program's start and kept past this.
    TWin32Platform(HINSTANCE instance, ITextReader& reader);
    ~TWin32Platform() override;
    TWin32Platform(const TWin32Platform&) = delete;
    TWin32Platform& operator=(const TWin32Platform&) = delete;

    IDisplay& Display() override { return FDisplay; }
    ITray& Tray() override { return FTray; }
    IOverlay& Overlay() override { return FOverlay; }
    IScrolling& Scrolling() override { return FScrolling; }
    IPins& Pins() override { return FPins; }
    IKeyWatcher& KeyWatcher() override { return FKeyWatcher; }
    IDialogs& Dialogs() override { return FDialogs; }
    IShell& Shell() override { return FShell; }
    IFileSystem& Files() override { return FFiles; }
    IMessageLoop& Loop() override { return FMainWindow; }
    ITextReader& TextReader() override { return FReader; }

private:
    ITextReader& FReader;
    TWin32FileSystem FFiles;
    TWin32Display FDisplay;
    TWin32Dialogs FDialogs;
    TMainWindow FMainWindow;
    TWin32Shell FShell;
    TWin32Overlay FOverlay;
    TWin32Scrolling FScrolling;
    TWin32Pins FPins;
    TTrayIcon FTray;
    TWin32KeyWatcher FKeyWatcher;
};
