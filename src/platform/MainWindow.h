#pragma once

#include "base/CaptureRegion.h"
#include "keys/KeyCodes.h"
#include "platform/PinEvent.h"

#include <cstdint>

// The tray icon's mouse activity that the program acts on, and a click on its notice.
enum class TTrayEvent { LeftDown, DoubleClick, RightDown, NoticeClicked };

enum class TMouseButton { Left, Right, Middle };
// The modifier keys and buttons held at a pointer or key event, and whether a press was the
// second of a double-click.
using TShiftState = std::uint32_t;
inline constexpr TShiftState ssShift = 0x01;
inline constexpr TShiftState ssAlt = 0x02;
inline constexpr TShiftState ssCtrl = 0x04;
inline constexpr TShiftState ssLeft = 0x08;
inline constexpr TShiftState ssRight = 0x10;
inline constexpr TShiftState ssMiddle = 0x20;
inline constexpr TShiftState ssDouble = 0x40;

// What reaches the main window, as typed events: the platform cracks its messages into these
// calls. Positions are screen positions.
class IMainWindowEvents {
public:
    virtual ~IMainWindowEvents() = default;
    // WM_TRAYNOTIFY: the icon's mouse activity, or a click on its notice.
    virtual void TrayNotify(TTrayEvent event) = 0;
    // WM_CAPTURENOW: a request to capture the current region now.
    virtual void CaptureNowPosted() = 0;
    // A decision of the key watcher waits in its queue.
    virtual void KeyDecided() = 0;
    // The overlay's pointer and keys.
    virtual void FormMouseDown(TMouseButton button, TShiftState shift, std::int32_t x,
                               std::int32_t y) = 0;
    virtual void FormMouseMove(TShiftState shift, std::int32_t x, std::int32_t y) = 0;
    virtual void FormMouseUp(TMouseButton button, TShiftState shift, std::int32_t x,
                             std::int32_t y) = 0;
    virtual void FormKeyDown(TKeyCode& key, TShiftState shift) = 0;
    // A second of the countdown has passed; the scrolling capture's timer ticked, its label was
    // clicked.
    virtual void CountdownTick() = 0;
    virtual void ScrollTick() = 0;
    virtual void ScrollLabelClicked() = 0;
    // The box a text mark is typed in was ended or emptied.
    virtual void TextEntryEnded() = 0;
    // A pinned picture's key, wheel, menu, double-click or close request.
    virtual void PinEvent(const TPinEvent& event) = 0;
    // A thread of ours failed: its error waits to be told on this thread.
    virtual void BackgroundErrorPosted() = 0;
    // The text being read on a thread of ours has been read, or was cancelled, or failed.
    virtual void TextRead() = 0;
    // The main window is asked to close; the user's session ends (the process with it).
    virtual void CloseRequested() = 0;
    virtual void SessionEnding() = 0;
    // An error escaped a handler: shown by the general error handler, and the program goes on.
    virtual void HandleException() noexcept = 0;
};

// The main window's message loop.
class IMessageLoop {
public:
    virtual ~IMessageLoop() = default;
    virtual void SetEventHandler(IMainWindowEvents* handler) = 0;
    // Runs until Quit.
    virtual void RunMessageLoop() = 0;
    virtual void Quit() = 0;
    // From any thread: the handler is told BackgroundErrorPosted on the loop's thread.
    virtual void PostBackgroundError() = 0;
    // From any thread: the handler is told TextRead on the loop's thread.
    virtual void PostTextRead() = 0;
};
