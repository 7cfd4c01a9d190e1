#pragma once

#include "platform/Platform.h"
#include "support/HeadlessPins.h"
#include "support/PosixFileSystem.h"
#include "support/headless/HeadlessDialogs.h"
#include "support/headless/HeadlessDisplay.h"
#include "support/headless/HeadlessKeyWatcher.h"
#include "support/headless/HeadlessLoop.h"
#include "support/headless/HeadlessOverlay.h"
#include "support/headless/HeadlessScrolling.h"
#include "support/headless/HeadlessShell.h"
#include "support/headless/HeadlessTextReader.h"
#include "support/headless/HeadlessTray.h"

#include <cstdint>
#include <optional>

// The desktop as tests script it: one fake per role (real files, a screen that is a pixel
// buffer, boxes answered from a queue, a record of what the program asked of the tray, the
// windows and the shell), composed, and the user's hand on it: the clicks, moves and keys that
// reach the main window, as its window procedure hands them on.
class THeadlessPlatform : public IPlatform,
                          public THeadlessDisplay,
                          public THeadlessOverlay,
                          public THeadlessTray,
                          public THeadlessScrolling,
                          public THeadlessKeyWatcher,
                          public THeadlessDialogs,
                          public THeadlessShell,
                          public THeadlessLoop {
public:
    THeadlessPlatform();

    IDisplay& Display() override { return *this; }
    ITray& Tray() override { return *this; }
    IOverlay& Overlay() override { return *this; }
    IScrolling& Scrolling() override { return *this; }
    THeadlessPins& Pins() override { return PinWindows; }
    IKeyWatcher& KeyWatcher() override { return *this; }
    IDialogs& Dialogs() override { return *this; }
    IShell& Shell() override { return *this; }
    TPosixFileSystem& Files() override { return FFiles; }
    IMessageLoop& Loop() override { return *this; }
    THeadlessTextReader& TextReader() override { return Reader; }

    void TrayClick(TTrayEvent event);
    void PostedCaptureNow();
    void KeyDecided();
    void Tick();
    void TextEntryDone();
    // A tick of the scrolling capture's timer, its clock moved on by the timer's time.
    void ScrollTimerTick();
    void ClickScrollLabel();
    void PinEvent(const TPinEvent& event);
    // The left button pressed, the pointer moved (the buttons and keys held), a button let go.
    void Press(std::int32_t x, std::int32_t y, TShiftState shift = ssLeft,
               TMouseButton button = TMouseButton::Left);
    void Move(std::int32_t x, std::int32_t y, TShiftState shift = 0);
    void Release(std::int32_t x, std::int32_t y, TShiftState shift = 0,
                 TMouseButton button = TMouseButton::Left);
    void Key(TKeyCode key, TShiftState shift = 0);
    // A key event seen by the watcher: what it decides is queued and announced as the Win32
    // layer does; true when it was swallowed. `rect` is the foreground window's rectangle, or
    // the monitor under the pointer.
    bool KeyEvent(bool down, TKeyCode key, std::optional<TCaptureRegion> rect = std::nullopt,
                  std::uint8_t modifiers = 0);

    THeadlessPins PinWindows;
    THeadlessTextReader Reader;

private:
    TPosixFileSystem FFiles;
};
