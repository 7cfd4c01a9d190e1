#pragma once

#include "app/ErrorReport.h"
#include "app/MarkupMode.h"
#include "app/Pins.h"
#include "app/Option/OptionForm.h"
#include "app/RegionSelection.h"
#include "app/RequestScheduler.h"
#include "app/ScrollCapture.h"
#include "app/Tray.h"
#include "base/CaptureRegion.h"
#include "imaging/Bitmap.h"
#include "platform/Platform.h"
#include "settings/CaptureSettings.h"

#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class TIniFile;

// What the frozen screen is opened for: a region (the Part's selection), or the rectangle a
// scrolling capture scrolls.
enum class TFrozenPurpose { Region, Scroll };

// Where a capture's pixels come from when not from the screen (a pinned picture's pixels, or a
// scrolling capture's page, given up a block at a time as it is drawn into the picture), and what
// its notice says of it ("%s" the file's name, then the page's height and why it ended there).
struct TCaptureSource {
    const TScreenPixels* Pixels = nullptr;
    std::string NoticeFormat;
    std::string Height;
    std::string Why;
    TRowBlocks* Page = nullptr;
};

// The resident program: the settings, the capture state and the handlers the tray, the keys and
// the overlay drive. It wires its rooms together (the scheduler of requests, the tray, the
// selection on the frozen screen, the marks); the platform calls the handlers as typed events,
// and tests call them through the headless stand-in.
class TMainForm : public IMainWindowEvents {
public:
    explicit TMainForm(IPlatform& platform);
    ~TMainForm() override;
    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;

    // Start-up and shutdown.
    void FormCreate();
    void FormCloseQuery(bool& canClose);
    void FormDestroy();
    // Asks the form to close; it never refuses, and closing it ends the program.
    void Close();

    // Opens the settings file beside the executable and reads it.
    void OpenSettings();
    void LoadSettings();
    // Writes the settings file; does nothing while no settings file is open.
    void SaveSettings();
    // Removes what killed saves left behind in those folders, on a thread of its own; without
    // a thread to be had they stay until the next start.
    void SweepLeftovers(std::vector<std::string> folders);

    // The region item reads its base caption followed by "(Left,Top,Right,Bottom)".
    void ShowRegionInCaption();
    // A region has been shown in the region item since start-up.
    bool RegionChosen() const { return FPositionItemCaption != FPositionCaption; }
    const std::string& PositionItemCaption() const { return FPositionItemCaption; }

    // The tray.
    void AddTrayIcon() { FTray.AddTrayIcon(); }
    void DeleteTrayIcon() { FTray.DeleteTrayIcon(); }
    void HideToTray();
    bool InTray() const { return FTray.InTray(); }
    TWindowState WindowState() const { return FWindowState; }
    void RunMenuCommand(TMenuCommand command);

    // The main window's events.
    void TrayNotify(TTrayEvent event) override;
    void CaptureNowPosted() override;
    void KeyDecided() override;
    void FormMouseDown(TMouseButton button, TShiftState shift, std::int32_t x,
                       std::int32_t y) override;
    void FormMouseMove(TShiftState shift, std::int32_t x, std::int32_t y) override;
    void FormMouseUp(TMouseButton button, TShiftState shift, std::int32_t x,
                     std::int32_t y) override;
    // Esc cancels; the arrow keys move the pointer; Enter presses and releases at it; Z shows
    // or hides the magnifier. With marks: the toolbar's keys, the arrows as before.
    void FormKeyDown(TKeyCode& key, TShiftState shift) override;
    void CountdownTick() override;
    void ScrollTick() override;
    void ScrollLabelClicked() override;
    void TextEntryEnded() override;
    // On a pinned picture: the wheel zooms (with Ctrl: its opacity), Esc and a double-click
    // close it, Ctrl+C copies and Ctrl+S saves it; its menu does the same.
    void PinEvent(const TPinEvent& event) override;
    void BackgroundErrorPosted() override;
    void CloseRequested() override { Close(); }
    // The icon and the watcher go now: the process may end at any moment.
    void SessionEnding() override;
    void HandleException() noexcept override;
    // From any thread: the error of a thread of ours, told on the user-interface thread by the
    // general error handler (the first one only).
    void HandBackgroundError(std::exception_ptr error) noexcept;

    // The commands.
    void mnCaptureClick();
    // Saves the region as the file; the bitmap written is left in `saved`.
    bool SaveCapture(const TCaptureRegion& region, const std::string& fileName, TBitmap& saved,
                     const TCaptureSource& source = {});
    void mnPositionClick();
    void mnOptionClick();
    void mnExitClick() { Close(); }

    // The overlay, and its marks.
    bool Visible() const { return FSelection.Visible(); }
    bool Marking() const { return FMarkup.Active(); }
    const TMarkup* Marks() const { return FMarkup.Marks(); }
    const TPins& Pins() const { return FPins; }
    // The delay before a capture: seconds left of the countdown, 0 while none runs.
    int CountdownLeft() const { return FScheduler.Counted ? FScheduler.Countdown : 0; }

    // The key watcher and the tray menu follow the settings: the watcher takes the keys in use
    // (none removes it), the menu shows them and checks the delay.
    void FollowSettings();
    void RemoveKeyWatcher();
    bool KeyWatcherInstalled() const { return FKeyWatcherInstalled; }

    TCaptureSettings Settings;
    std::unique_ptr<TIniFile> FIniFile;
    // Made with the main form, hidden between uses, and kept until exit.
    TOptionForm OptionForm;

    TCaptureRegion FRegion;
    TCaptureRegion FPrevRegion;
    std::int32_t FSerialNo = 1;
    std::string FPositionCaption;

private:
    // Requests and what the scheduler says of them.
    void Schedule(const TSchedulerEvent& event);
    void Apply(const TSchedulerAction& action);
    void RunRequest(const TCaptureRequest& request);
    void OpenTrayMenu();
    // A box of ours, counted as open while it shows; on the way out none shows (mrCancel).
    int Ask(const std::string& text, TBoxKind kind, TBoxButtons buttons);
    void ShowError(const std::exception_ptr& error) noexcept;
    bool Closing() const { return FScheduler.Closing; }
    void AskAboutSystemPrintScreen();
    // The options dialog's values, taken on its OK.
    void TakeOptions();

    // A capture's way: the request's region, the command's questions, the file, what follows.
    void CaptureNow();
    void ApplyKeyDecision(const TKeyDecision& decision);
    TCaptureRegion FullScreenRegion();
    void RunCapture(const std::optional<TCaptureRegion>& screen, const TCaptureSource& source = {});
    void RunCaptureCommand(const std::optional<TCaptureRegion>& screen,
                           const TCaptureSource& source);
    void AfterCapture(const TBitmap& capture, const std::string& fileName,
                      const TCaptureSource& source);

    // The frozen screen: a drag's start and release, the marks' save, and its end.
    void OpenFrozenScreen(TFrozenPurpose purpose);
    void BeginDrag(TScreenPoint at, bool byKeyboard);
    void RegionReleased(std::int32_t x, std::int32_t y);
    void AnswerMarks(TMarkupAnswer answer);
    void EndSelection(TScreenUse next = TScreenUse::Free);
    // The scrolling capture over the rectangle chosen, and its page saved when it ends.
    void StartScroll(const TCaptureRegion& rect);
    void FinishScroll(TScrollEnd why, std::exception_ptr failure = nullptr);
    void AbandonScroll() noexcept;
    // The marked selection pinned where it was; a pin's menu, its commands and its save.
    void PinMarkedSelection();
    void OpenPinMenu(TPinId pin, TScreenPoint at);
    void RunPinCommand(TPinId pin, TPinCommand command);
    void CopyPin(TPinId pin);
    void SavePin(TPinId pin);

    IPlatform& FPlatform;
    std::string FPositionItemCaption;
    TWindowState FWindowState = TWindowState::Normal;
    bool FKeyWatcherInstalled = false;
    bool FMagnifierToggled = false; // saved when the overlay has gone

    // The rooms.
    TSchedulerState FScheduler;
    std::deque<TSchedulerAction> FActions; // what the scheduler said, in order
    bool FApplying = false;                // a loop further out applies them
    TTray FTray;
    TRegionSelection FSelection;
    TMarkupMode FMarkup;
    TFrozenPurpose FPurpose = TFrozenPurpose::Region;
    TScrollCapture FScroll;
    TPins FPins;
    TBackgroundErrors FBackgroundErrors;
    // Declared last, so that they end before what they use.
    std::vector<std::jthread> FLeftoverSweeps;
};
