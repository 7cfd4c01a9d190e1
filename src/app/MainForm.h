#pragma once

#include "app/MarkToolbar.h"
#include "app/MarkedPicture.h"
#include "app/Markup.h"
#include "app/Option/OptionForm.h"
#include "base/CaptureRegion.h"
#include "imaging/Bitmap.h"
#include "platform/Platform.h"
#include "settings/CaptureSettings.h"

#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class TIniFile;

// What asks for a capture (or, for the region item, a new region): the capture command of the
// double-click and the menu, a posted request (the region shown first), a key of the watcher.
enum class TRequestKind { Command, Posted, Key, Select };
struct TCaptureRequest {
    TRequestKind Kind = TRequestKind::Command;
    TKeyDecision Key{}; // for Key: what the watcher decided when the key went down
};

// The resident program: the settings, the capture state, the tray icon and everything the
// tray, the key watcher and the overlay drive. The Win32 layer calls these handlers from its
// window procedure; tests call them through the headless stand-in.
class TMainForm : public IMainWindowHandler {
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
    TCaptureRegion FullScreenRegion();

    // The tray.
    void AddTrayIcon();
    void DeleteTrayIcon();
    void HideToTray();
    bool InTray() const { return FInTray; }
    TWindowState WindowState() const { return FWindowState; }

    bool WndProc(TMessage& message) override;
    void HandleException() noexcept override;
    // From any thread: the error of a thread of ours, told on the user-interface thread by the
    // general error handler (the first one only).
    void HandBackgroundError(std::exception_ptr error) noexcept;
    // A session ending: the icon and the watcher go now, the process may end at any moment.
    void EndSession();
    void OpenTrayMenu();
    void RunMenuCommand(TMenuCommand command);

    // The commands.
    void mnCaptureClick();
    // Saves the region as the file; the bitmap written is left in `saved`.
    bool SaveCapture(const TCaptureRegion& region, const std::string& fileName, TBitmap& saved);
    // What follows a saved capture as the settings ask: the clipboard, the notice.
    void AfterCapture(const TBitmap& capture, const std::string& fileName);
    void ShowPendingNotice();
    void NoticeClicked();
    void mnPositionClick();
    void mnOptionClick();
    void mnExitClick();
    // The region overlay.
    enum class TMouseButton { Left, Right, Middle };
    void FormMouseDown(TMouseButton button, std::uint32_t shift, std::int32_t x, std::int32_t y);
    void FormMouseMove(std::uint32_t shift, std::int32_t x, std::int32_t y);
    void FormMouseUp(TMouseButton button, std::uint32_t shift, std::int32_t x, std::int32_t y);
    // Esc cancels; the arrow keys move the pointer; Enter presses and releases at it; Z shows
    // or hides the magnifier. With marks: the toolbar's keys, the arrows as before.
    void FormKeyDown(std::uint16_t& key, std::uint32_t shift);
    bool Visible() const { return FVisible; }
    // Marks on the frozen screen before the save (Markup with CaptAtSameTime): the overlay
    // stays up after the release, with the toolbar beside the selection.
    bool Marking() const { return FMarkup.has_value(); }
    const TMarkup* Marks() const { return FMarkup ? &FMarkup->Marks : nullptr; }

    // One capture at a time: a request that comes while a capture asks a question runs after
    // it, in order; while the overlay is up, requests do nothing.
    void Request(const TCaptureRequest& request);
    // The delay before a capture: seconds left of the countdown, 0 while none runs.
    int CountdownLeft() const { return FCountdown; }
    void CountdownTick();
    void CancelCountdown();
    // A capture request: the region shown in the caption, then the capture command.
    void CaptureNow();
    void ApplyKeyDecision(const TKeyDecision& decision);

    // The key watcher and the tray menu follow the settings: the watcher takes the keys in use
    // (none removes it), the menu shows them and checks the delay.
    void FollowSettings();
    void RemoveKeyWatcher();
    // Once for a settings file, when a key in use is PrintScreen and Windows takes that key
    // for its own screen capture: whether to turn that off.
    void AskAboutSystemPrintScreen();
    bool KeyWatcherInstalled() const { return FKeyWatcherInstalled; }

    TCaptureSettings Settings;
    std::unique_ptr<TIniFile> FIniFile;
    // Made with the main form, hidden between uses, and kept until exit.
    TOptionForm OptionForm;

    TCaptureRegion FRegion;
    TCaptureRegion FPrevRegion;
    std::int32_t FSerialNo = 1;
    std::string FPositionCaption;

protected:
    IPlatform& FPlatform;

private:
    std::string FPositionItemCaption;
    void RubberBand(std::int32_t cornerX, std::int32_t cornerY);
    void EndSelection();
    void StepPointer(std::uint16_t key, std::uint32_t shift);
    void ShowAids(TScreenPoint at);
    // The marks' mode of the overlay.
    struct TMarkupState {
        explicit TMarkupState(const TCaptureRegion& selection) : Marks(selection) {}
        TMarkup Marks;
        std::shared_ptr<TMarkedPicture> Picture;
        TMarkStyle Style;
        TMonitor Monitor;
        std::vector<TToolbarButton> Toolbar;
        TMarkTool Tool = TMarkTool::Frame;
        std::uint32_t Colour = kMarkColours[0];
        std::vector<std::vector<TCaptureRegion>> Areas; // what each mark shown painted
        std::optional<TMark> Drawing;                   // the mark being dragged
        bool Dragged = false;                           // beyond a click's slack
        std::optional<TScreenPoint> TypingAt;           // where the text being typed goes
        std::optional<std::size_t> Hovered;             // the button under the pointer
    };
    void EnterMarkup();
    void MarkupMouseDown(TScreenPoint at);
    void MarkupMouseMove(TScreenPoint at);
    void MarkupMouseUp(TScreenPoint at);
    void MarkupKeyDown(std::uint16_t key, std::uint32_t shift);
    void PressToolbarButton(const TToolbarButton& button);
    void PlaceMark(const TMark& mark);
    void ShowLastMark();
    void ShowMarks(const std::vector<TCaptureRegion>& changed);
    void TakeBackMark();
    void PutBackMark();
    void SaveMarks();
    void FinishTyping();
    void ShowToolbar();
    std::optional<TMarkupState> FMarkup;
    bool FKeyboardDrag = false; // a selection begun with Enter, not with the button
    bool FDragging = false;     // pressed on the overlay and not yet released
    bool FMagnifierToggled = false;
    // The monitors and the windows as they stood when the snapshot was taken.
    std::vector<TMonitor> FMonitors;
    std::vector<TCaptureRegion> FWindowFrames;

    bool FInTray = false;
    bool FVisible = false;
    // The frozen screen the overlay shows while a selection is under way.
    std::shared_ptr<const TScreenPixels> FSnapshot;
    // The pointer as the screen showed it when the snapshot was frozen, for CaptureCursor.
    std::optional<TPointerPicture> FSnapshotPointer;
    bool FKeyWatcherInstalled = false;
    TWindowState FWindowState = TWindowState::Normal;
    void RunPendingRequests() noexcept;
    bool MayRunNow(const TCaptureRequest& request) const;
    void RunCapture(const std::optional<TCaptureRegion>& screen);
    void RunCaptureCommand(const std::optional<TCaptureRegion>& screen);
    void RunRequest(const TCaptureRequest& request);
    void ReportBackgroundError();
    std::deque<TCaptureRequest> FPendingRequests;
    bool FCaptureRunning = false;  // the capture command, questions and all
    bool FRunningRequests = false; // the queue is being worked off
    int FCountdown = 0;            // seconds before FCountdownRequest runs
    TCaptureRequest FCountdownRequest;
    // The first error of a thread of ours, kept until the user-interface thread tells it.
    std::mutex FBackgroundLock;
    std::exception_ptr FBackgroundError;
    bool FBackgroundErrorHanded = false;
    // The file the last notice named, and whether it still waits for the overlay to go.
    std::string FNoticeFile;
    bool FNoticePending = false;
    // Declared last, so that they end before what they use.
    std::vector<std::jthread> FLeftoverSweeps;
};
