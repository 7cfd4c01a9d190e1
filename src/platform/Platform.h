#pragma once

#include "platform/Dialogs.h"
#include "platform/Display.h"
#include "platform/FileSystem.h"
#include "platform/KeyWatcher.h"
#include "platform/MainWindow.h"
#include "platform/Overlay.h"
#include "platform/Pins.h"
#include "platform/Scrolling.h"
#include "platform/Shell.h"
#include "platform/TextReader.h"
#include "platform/Tray.h"

// What the program needs from the desktop it runs on, by role; each part of the program takes
// the roles it uses. The Win32 layer implements them for the real program; tests use a
// headless stand-in.
class IPlatform {
public:
    virtual ~IPlatform() = default;
    virtual IDisplay& Display() = 0;
    virtual ITray& Tray() = 0;
    virtual IOverlay& Overlay() = 0;
    virtual IScrolling& Scrolling() = 0;
    virtual IPins& Pins() = 0;
    virtual IKeyWatcher& KeyWatcher() = 0;
    virtual IDialogs& Dialogs() = 0;
    virtual IShell& Shell() = 0;
    virtual IFileSystem& Files() = 0;
    virtual IMessageLoop& Loop() = 0;
    // The text recogniser, called on a worker thread.
    virtual ITextReader& TextReader() = 0;
};
