#pragma once

#include "platform/Platform.h"
#include "support/HeadlessPins.h"
#include "support/PosixFileSystem.h"

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

// The desktop as tests script it: real files, chosen special folders, a fixed clock, a screen
// that is a pixel buffer, boxes answered from a queue, and a record of what the program asked
// of the tray, the windows and the shell.
class THeadlessPlatform : public IPlatform,
                          public IDisplay,
                          public ITray,
                          public IOverlay,
                          public IScrolling,
                          public IKeyWatcher,
                          public IDialogs,
                          public IShell,
                          public IMessageLoop {
public:
    THeadlessPlatform();

    // Every role is this one stand-in.
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

    std::string ExecutablePath() override { return ExePath; }
    std::optional<std::string> SpecialFolder(TSpecialFolder folder) override;
    TLocalTime Now() override { return Clock; }

    std::int32_t ScreenWidth() override { return ScreenW; }
    std::int32_t ScreenHeight() override { return ScreenH; }
    std::vector<TMonitor> Monitors() override;
    std::unique_ptr<TScreenPixels> GrabScreen(std::int32_t left, std::int32_t top,
                                              std::int32_t width, std::int32_t height) override;
    TDisplayColours DisplayColours() override;

    int ShowMessageBox(const std::string& text, TBoxKind kind, TBoxButtons buttons) override;
    void ShowErrorBox(const std::string& text) override;

    void SetEventHandler(IMainWindowEvents* handler) override { Handler = handler; }
    void AddTrayIcon() override { ++TrayAdds; }
    void DeleteTrayIcon() override { ++TrayDeletes; }
    void HideMainWindow() override { Visible = false; }
    void ShowMainWindow(TWindowState state) override {
        Visible = true;
        Shown.push_back(state);
    }
    TMenuCommand TrackTrayMenu() override;
    void SetPositionItemCaption(const std::string& caption) override { Caption = caption; }
    void SetMenuKeys(const std::string& positionKey, const std::string& captureKey,
                     const std::string& scrollKey) override {
        MenuKeys = {positionKey, captureKey, scrollKey};
    }
    std::array<std::string, 3> MenuKeys;
    void SetMenuDelay(int seconds) override { MenuDelay = seconds; }
    void ShowCloseAllPins(bool shown) override { PinsItem = shown; }
    bool PinsItem = false;
    THeadlessPins PinWindows;
    void ShowCountdown(int secondsLeft) override {
        Countdown.push_back(secondsLeft);
        GrabsAtCountdown.push_back(Grabs);
    }
    void SetCountdownTimer(bool on) override { TimerOn = on; }
    void ShowTip(const std::string& tip) override { Tip = tip; }
    std::string Tip; // the icon's tip when it is not the program's name
    int MenuDelay = -1;
    std::vector<int> Countdown;        // each countdown the icon showed, 0 for the usual icon
    std::vector<int> GrabsAtCountdown; // the screen copies made when it showed
    bool TimerOn = false;
    int Grabs = 0;
    void Quit() override { QuitRequested = true; }
    // A posted error waits (from any thread) until DeliverPosted or the message loop tells it.
    void PostBackgroundError() override;
    void DeliverPosted();
    void SetOverlayPicture(std::shared_ptr<const TScreenPixels> picture) override {
        Picture = std::move(picture);
        Marks.reset();
        Aids = {};
    }
    void SetOverlayAids(const TOverlayAids& aids) override { Aids = aids; }
    void SetOverlayMarks(std::shared_ptr<const TScreenPixels> marks,
                         const std::vector<TCaptureRegion>& changed) override {
        Marks = std::move(marks);
        MarksChanged = changed;
    }
    std::shared_ptr<const TScreenPixels> Marks;
    std::vector<TCaptureRegion> MarksChanged; // as last told
    // A step's number fills the square around its circle in the step's colour, a text half its
    // height wide a byte from its place in its own.
    std::vector<TCaptureRegion> DrawMark(const TMark& mark, const TMarkStyle& style,
                                         const TPixels32Canvas& canvas) override;
    TCaptureRegion LettersBox(const TMark& mark, const TMarkStyle& style) override;
    // TextEntryFails: the box cannot be made.
    void BeginTextEntry(TScreenPoint at, std::int32_t width, std::uint32_t colour,
                        std::int32_t height, const std::string& words) override;
    bool TextEntryFails = false;
    std::optional<std::string> EndTextEntry() override {
        if (!TextEntry) {
            return std::nullopt;
        }
        return std::exchange(TextEntry, std::nullopt)->Typed;
    }
    struct TTextEntry {
        TScreenPoint At;
        std::int32_t Width;
        std::uint32_t Colour;
        std::int32_t Height;
        std::string Typed; // what the box holds: the words it began with, then what was typed
    };
    std::optional<TTextEntry> TextEntry; // the box while it shows
    std::vector<TCaptureRegion> WindowFrames() override { return Frames; }
    TOverlayAids Aids;
    std::vector<TCaptureRegion> Frames; // front to back
    void SetCrossCursor(bool cross) override { Cross = cross; }
    void DrawXorRectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                          std::int32_t y2) override;
    void SetPointerCapture(bool captured) override { Captured = captured; }
    TScreenPoint PointerPosition() override { return Pointer; }
    // Moves the pointer and sends the move as the window procedure would (no button held).
    void SetPointerPosition(TScreenPoint position) override;
    std::optional<TPointerPicture> PointerPicture() override { return Cursor; }
    // The pointer as the screen shows it, nothing while hidden.
    std::optional<TPointerPicture> Cursor;
    TScreenPoint Pointer;
    void RunMessageLoop() override;
    // The dialog: the script runs on its values while it is "open" and gives the result.
    int RunOptionsDialog(TOptionValues& values, IOptionsDialogHandler& handler) override;
    void FocusOptionsDialog() override { ++DialogFocused; }
    void RefreshOptionsDialog(const TOptionValues&) override { ++DialogRefreshed; }
    std::function<int(TOptionValues&)> DialogScript;
    int DialogsRun = 0;
    int DialogFocused = 0;
    int DialogRefreshed = 0;

    bool InstallKeyWatcher(const TKeyBindings& bindings) override;
    void RemoveKeyWatcher() override {
        WatcherInstalled = false;
        Watcher.SetBindings({});
    }
    void WatchEscape(bool on) override {
        EscapeWatched = on;
        Watcher.WatchEscape(on);
    }
    bool EscapeWatched = false;
    std::optional<TKeyDecision> TakeKeyDecision() override;
    // Windows' own PrintScreen setting: on, off or missing; whether turning it off works.
    std::optional<bool> SystemPrintScreenCapture() override { return SystemSnipping; }
    bool TurnOffSystemPrintScreenCapture() override {
        if (SystemSnippingLocked) {
            return false;
        }
        SystemSnipping = false;
        return true;
    }
    std::optional<bool> SystemSnipping;
    bool SystemSnippingLocked = false;

    void ShellOpen(const std::string& fileName) override;
    void ShowInFolder(const std::string& fileName) override { ShownInFolder.push_back(fileName); }
    bool SetClipboardPicture(std::shared_ptr<const IClipboardPicture> picture) override;
    void ShowNotice(const std::string& title, const std::string& text) override {
        Notices.push_back(title + "|" + text + (Visible ? "|over the overlay" : ""));
    }
    void HideNotice() override { ++NoticeHides; }

    // The main window's events, as the window procedure hands them on: an error that escapes
    // the handler goes to its general error handler.
    void Send(const std::function<void(IMainWindowEvents&)>& event);
    void TrayClick(TTrayEvent event);
    void PostedCaptureNow();
    void KeyDecided();
    void Tick();
    void TextEntryDone();
    void ScrollTimerTick();
    void ClickScrollLabel();
    void PinEvent(const TPinEvent& event);

    // The scrolling capture: the window a point is over (the page's is 7), the one in front, the
    // wheel's turns in units (each told to OnWheel, which scrolls the scripted screen), the frame
    // and its label while shown (a label of 12 x 4 pixels, placed as the Win32 layer places it),
    // the timer, a clock that each tick moves on by the timer's time, and the memory left.
    TWindowId WindowAt(TScreenPoint at) override {
        return Contains(PageWindow, at) ? PageWindowId : 0;
    }
    TWindowId ForegroundWindow() override { return Foreground; }
    void BringToFront(TWindowId window) override {
        Fronted.push_back(window);
        Foreground = window;
    }
    void TurnWheel(int units) override {
        Wheeled += units;
        Turns.push_back(units);
        if (OnWheel) {
            OnWheel(units);
        }
    }
    bool ShowScrollFrame(const TCaptureRegion& rect, const std::string& label) override;
    void HideScrollFrame() override {
        ScrollFrame.reset();
        ScrollLabel.clear();
        ScrollLabelAt.reset();
    }
    void SetScrollTimer(int milliseconds) override { ScrollTimer = milliseconds; }
    std::int64_t Milliseconds() override { return ScrollClock; }
    std::uint64_t MemoryAvailable() override { return Memory; }
    TCaptureRegion PageWindow;
    TWindowId PageWindowId = 7;
    TWindowId Foreground = 0;
    std::vector<TWindowId> Fronted;
    int Wheeled = 0;
    std::vector<int> Turns;
    std::function<void(int)> OnWheel;
    std::optional<TCaptureRegion> ScrollFrame;
    std::string ScrollLabel;
    std::optional<TCaptureRegion> ScrollLabelAt;
    int ScrollTimer = 0;
    std::int64_t ScrollClock = 1000;
    std::uint64_t Memory = std::uint64_t{16} << 30;
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

    // The scripted screen, pixels as red << 16 | green << 8 | blue: the primary monitor of
    // ScreenW x ScreenH at the origin, or the monitors of Displays when there are any. Screen
    // holds the virtual screen row by row from its top-left corner; what no monitor shows is
    // black there, as a screen copy gives it. PaintScreen takes screen positions.
    std::int32_t ScreenW = 64;
    std::int32_t ScreenH = 48;
    std::vector<TMonitor> Displays;
    std::vector<std::uint32_t> Screen;
    void PaintScreen(std::function<std::uint32_t(int x, int y)> colour);
    std::uint32_t ScreenAt(std::int32_t x, std::int32_t y) const;

    std::string ExePath = "\\nonexistent\\Quorlan.exe";
    std::map<TSpecialFolder, std::string> Folders;
    TLocalTime Clock{2026, 5, 7, 9, 5, 0};

    struct TBox {
        std::string Text;
        TBoxKind Kind;
        TBoxButtons Buttons;
    };
    // Each answer runs inside the box, as the box's own message loop would run other
    // handlers, and gives the button pressed. Without an answer the box takes Enter's.
    std::deque<std::function<int()>> Answers;
    void Answer(int result) {
        Answers.push_back([result] { return result; });
    }
    std::vector<TBox> Boxes;
    std::vector<std::string> ErrorBoxes;

    std::deque<TMenuCommand> MenuChoices;
    int MenusOpened = 0;
    // Run while the menu, or the general error box, is open (as their message loops would
    // handle other events), before it gives its answer.
    std::function<void()> DuringMenu;
    std::function<void()> DuringErrorBox;
    std::deque<std::function<void()>> Events; // run by RunMessageLoop until Quit

    IMainWindowEvents* Handler = nullptr;
    int TrayAdds = 0;
    int TrayDeletes = 0;
    bool Visible = false;
    std::vector<TWindowState> Shown;
    std::string Caption;
    bool QuitRequested = false;

    bool WatcherCanInstall = true;
    bool WatcherInstalled = false;
    TKeyFilter Watcher; // the rules the installed watcher applies
    int WatcherInstalls = 0;
    std::deque<TKeyDecision> KeyDecisions;

    // The overlay: its picture, its cursor, the bands now on the window (an XOR band drawn
    // twice is gone), and whether the pointer is captured. GrabFails makes the next grab fail.
    std::shared_ptr<const TScreenPixels> Picture;
    bool Cross = false;
    std::map<std::array<std::int32_t, 4>, int> Bands;
    int BandDraws = 0;
    bool Captured = false;
    bool GrabFails = false;
    std::vector<std::array<std::int32_t, 4>> VisibleBands() const;

    std::vector<std::string> Opened;
    bool ShellOpenFails = false;
    std::vector<std::string> ShownInFolder;

    // The clipboard holds the last picture put there; ClipboardBusy makes putting one fail.
    std::shared_ptr<const IClipboardPicture> Clipboard;
    bool ClipboardBusy = false;
    // Notices as "title|text", marked when shown while the overlay was up; hides counted.
    std::vector<std::string> Notices;
    int NoticeHides = 0;

private:
    std::vector<TMonitor> Layout() const; // Displays, or the one primary monitor
    std::mutex FPostedLock;
    int FPostedErrors = 0;
    TPosixFileSystem FFiles;
};
