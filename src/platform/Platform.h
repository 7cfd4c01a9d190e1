#pragma once

#include "base/LocalTime.h"
#include "base/Mark.h"
#include "base/Pixels32.h"
#include "base/PointerPicture.h"
#include "base/Rgb.h"
#include "platform/FileSystem.h"
#include "platform/KeyBindings.h"
#include "platform/MonitorLayout.h"
#include "platform/OptionValues.h"
#include "platform/OverlayAids.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

enum class TSpecialFolder { Pictures, Documents };

// The program's own boxes: a kind (title and icon) and a fixed set of buttons.
enum class TBoxKind { Warning, Error };
enum class TBoxButtons { Ok, OkCancel, YesNo };
// What a box returns: the result of the button pressed (2 for the close box).
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

// How the main window is shown when it is shown.
enum class TWindowState { Normal, Minimized, Maximized };

// The commands of the tray menu.
enum class TMenuCommand { None, Position, Capture, Option, Exit, Delay0, Delay3, Delay5, Delay10 };

// The delays the tray menu offers, in seconds, by their commands.
inline constexpr std::pair<TMenuCommand, int> kMenuDelays[] = {{TMenuCommand::Delay0, 0},
                                                               {TMenuCommand::Delay3, 3},
                                                               {TMenuCommand::Delay5, 5},
                                                               {TMenuCommand::Delay10, 10}};

// A window message as the main window receives it.
struct TMessage {
    std::uint32_t Msg = 0;
    std::uint64_t WParam = 0;
    std::int64_t LParam = 0;
    std::int64_t Result = 0;
};

// The copy of a block of the screen: 32-bit pixels of the part of the block that lies on the
// virtual screen, placed at (OffsetX, OffsetY) within the block asked for, whose top-left
// corner is (Left, Top) on the virtual screen.
class TScreenPixels {
public:
    virtual ~TScreenPixels() = default;
    virtual TPixels32View View() const = 0;
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t OffsetX = 0;
    std::int32_t OffsetY = 0;
};

// The colours the display lends to paletted bitmaps.
struct TDisplayColours {
    int HardwarePaletteSize = 0; // 0 on every true-colour display
    TPalette SystemPalette;      // its entries, when there is one
    TPalette Halftone;           // the 256 colours of the screen's halftone palette
};

// A picture for the clipboard. Its formats are made when a program asks for them (or before
// Quorlan ends), not when it is copied: a packed device-independent bitmap of 24 bits (header
// and rows, as the clipboard's CF_DIB holds it) and a PNG file.
class IClipboardPicture {
public:
    virtual ~IClipboardPicture() = default;
    // The DIB is written straight into memory of DibSize() bytes, the clipboard's own.
    virtual std::size_t DibSize() const = 0;
    virtual void WriteDib(std::uint8_t* target) const = 0;
    virtual std::string Png() const = 0;
};

// Receives the main window's messages: the program's logic behind the window procedure.
class IMainWindowHandler {
public:
    virtual ~IMainWindowHandler() = default;
    // True when the message was handled; false leaves it to the standard handling.
    virtual bool WndProc(TMessage& message) = 0;
    // An error escaped a handler: shown by the general error handler, and the program goes on.
    virtual void HandleException() noexcept = 0;
};

// What the program needs from the desktop it runs on. The Win32 layer implements it for the
// real program; tests use a headless stand-in.
class IPlatform {
public:
    virtual ~IPlatform() = default;

    virtual IFileSystem& Files() = 0;

    // Full path of the running executable.
    virtual std::string ExecutablePath() = 0;
    // The user's folder of that kind, without a final "\"; nothing when there is none.
    virtual std::optional<std::string> SpecialFolder(TSpecialFolder folder) = 0;
    virtual TLocalTime Now() = 0;

    // The primary screen, in physical pixels.
    virtual std::int32_t ScreenWidth() = 0;
    virtual std::int32_t ScreenHeight() = 0;
    // The monitors as they are now (they may change while Quorlan runs).
    virtual std::vector<TMonitor> Monitors() = 0;
    // Copies a block of the virtual screen as it is now. Parts off the virtual screen are left
    // out (the caller's bitmap stays white there), and parts that no monitor shows within it
    // are white. Raises EOutOfResources when it cannot be had.
    virtual std::unique_ptr<TScreenPixels> GrabScreen(std::int32_t left, std::int32_t top,
                                                      std::int32_t width, std::int32_t height) = 0;
    virtual TDisplayColours DisplayColours() = 0;

    // A modal box of the program's own; other messages keep being handled while it is open.
    virtual int ShowMessageBox(const std::string& text, TBoxKind kind, TBoxButtons buttons) = 0;
    // The general error handler's box: titled "Quorlan", error icon, OK.
    virtual void ShowErrorBox(const std::string& text) = 0;

    // The main window and its tray icon.
    virtual void SetMainWindowHandler(IMainWindowHandler* handler) = 0;
    virtual void AddTrayIcon() = 0;
    virtual void DeleteTrayIcon() = 0;
    virtual void HideMainWindow() = 0;
    virtual void ShowMainWindow(TWindowState state) = 0;
    // Opens the tray menu at the pointer, the main window made the foreground window first;
    // returns the command chosen, after the menu has closed.
    virtual TMenuCommand TrackTrayMenu() = 0;
    virtual void SetPositionItemCaption(const std::string& caption) = 0;
    // The keys the region item and the capture item answer to, shown beside them; empty for
    // none.
    virtual void SetMenuKeys(const std::string& positionKey, const std::string& captureKey) = 0;
    // The delay checked in the tray menu's submenu (one of kMenuDelays, else none checked).
    virtual void SetMenuDelay(int seconds) = 0;
    // The countdown before a capture: the tray icon shows the seconds left and its tool tip
    // says so; 0 puts the usual icon back, off the screen before this returns. The timer sends
    // the main window WM_TIMER (kCountdownTimer) every second while on.
    virtual void ShowCountdown(int secondsLeft) = 0;
    virtual void SetCountdownTimer(bool on) = 0;
    // Ends the message loop.
    virtual void Quit() = 0;
    // Posts a message (both parameters 0) to the main window; callable from any thread.
    virtual void PostToMainWindow(std::uint32_t message) = 0;

    // The region overlay: the main window, when shown maximised, covers the virtual screen
    // and shows this picture unscaled, its block's top-left corner on the virtual screen's
    // (nothing clears it). Its pointer positions are screen positions, as are those below. The
    // cross cursor shows over it while set.
    virtual void SetOverlayPicture(std::shared_ptr<const TScreenPixels> picture) = 0;
    virtual void SetCrossCursor(bool cross) = 0;
    // The rectangle outline from (x1, y1) to (x2, y2), drawn on the window itself with a
    // white pen XOR-ed with the screen and a hollow brush: drawing it again erases it.
    virtual void DrawXorRectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                  std::int32_t y2) = 0;
    // The aids over the picture (TOverlayAids): only what changed is painted again, under the
    // bands. A new picture, or none, takes the aids and the bands away.
    virtual void SetOverlayAids(const TOverlayAids& aids) = 0;
    // The marks over the overlay's picture: a block shown over the snapshot, whose changed
    // parts (screen positions) are painted again now; the caller changes its pixels and tells
    // which. None takes it away, as a new picture does.
    virtual void SetOverlayMarks(std::shared_ptr<const TScreenPixels> marks,
                                 const std::vector<TCaptureRegion>& changed) = 0;
    // Draws a step's number (over its circle, drawn already) or a text mark's letters on the
    // canvas, antialiased in grey in the interface's font, clipped to it; returns the parts
    // it changed. Other marks are not the platform's.
    virtual std::vector<TCaptureRegion> DrawMark(const TMark& mark, const TMarkStyle& style,
                                                 const TPixels32Canvas& canvas) = 0;
    // A box over the overlay to type a text mark in (the input method works there), its
    // top-left corner at `at`, `width` pixels wide, its text in that colour and height. Enter or
    // a click elsewhere ends it and Esc empties it; either way the main window then receives
    // WM_TEXTENTRYENDED. End takes the box away and gives what it held: nothing for no box.
    virtual void BeginTextEntry(TScreenPoint at, std::int32_t width, std::uint32_t colour,
                                std::int32_t height) = 0;
    virtual std::optional<std::string> EndTextEntry() = 0;
    // The visible frames of the top-level windows shown now, front to back: not hidden,
    // minimised or cloaked, nor the desktop itself.
    virtual std::vector<TCaptureRegion> WindowFrames() = 0;
    // Pointer events keep coming to the main window while captured, wherever the pointer is.
    virtual void SetPointerCapture(bool captured) = 0;
    // Where the pointer is, in screen positions; moving it sends the window its move.
    virtual TScreenPoint PointerPosition() = 0;
    virtual void SetPointerPosition(TScreenPoint position) = 0;
    // The mouse pointer as the screen shows it now; nothing while it is hidden.
    virtual std::optional<TPointerPicture> PointerPicture() = 0;
    // The modifier keys held now, as the kHeld... flags of a pointer event.
    virtual std::uint32_t ModifierKeys() = 0;

    // The options dialog, shown modally over its controls' values, the handler called as the
    // user acts; returns its result (mrOk or mrCancel). While it is open, other messages keep
    // being handled. Focus brings an open dialog to the front; Refresh shows the next number
    // changed from outside.
    virtual int RunOptionsDialog(TOptionValues& values, IOptionsDialogHandler& handler) = 0;
    virtual void FocusOptionsDialog() = 0;
    virtual void RefreshOptionsDialog(const TOptionValues& values) = 0;

    // Runs the message loop until Quit.
    virtual void RunMessageLoop() = 0;

    // The system-wide watch on the keys in use: a bound key's press is Quorlan's alone (down
    // and up swallowed), everything else passes. Install (again: with new bindings) reports
    // whether a watcher is now there. Its decisions wait in order, each announced by a
    // WM_KEYDECISION to the main window.
    virtual bool InstallKeyWatcher(const TKeyBindings& bindings) = 0;
    virtual void RemoveKeyWatcher() = 0;
    virtual std::optional<TKeyDecision> TakeKeyDecision() = 0;
    // Whether Windows itself opens its screen capture on PrintScreen (the user's setting),
    // nothing when the setting is not there; turning it off reports whether it was written.
    virtual std::optional<bool> SystemPrintScreenCapture() = 0;
    virtual bool TurnOffSystemPrintScreenCapture() = 0;

    // Opens the file with the application the desktop associates with its type.
    virtual void ShellOpen(const std::string& fileName) = 0;
    // Shows the file's folder with the file selected.
    virtual void ShowInFolder(const std::string& fileName) = 0;

    // Puts the picture on the clipboard in both its formats, in place of what was there,
    // trying again for about a second while another program holds the clipboard. False when
    // it could not.
    virtual bool SetClipboardPicture(std::shared_ptr<const IClipboardPicture> picture) = 0;

    // A notice from the tray icon, titled, with a line of text; a click on it reaches the main
    // window as WM_TRAYNOTIFY with kNoticeClicked. Hide takes away one that may still show.
    virtual void ShowNotice(const std::string& title, const std::string& text) = 0;
    virtual void HideNotice() = 0;
};
