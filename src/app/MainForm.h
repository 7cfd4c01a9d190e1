#pragma once

#include "app/capture/CaptureCommand.h"
#include "app/capture/CaptureNotice.h"
#include "app/capture/LeftoverSweeps.h"
#include "app/marks/Marking.h"
#include "app/marks/MarkupMode.h"
#include "app/options/Options.h"
#include "app/pins/Pins.h"
#include "app/requests/Requests.h"
#include "app/scroll/ScrollSession.h"
#include "app/selection/RectangleChoice.h"
#include "app/selection/RegionSelection.h"
#include "app/text/TextReading.h"
#include "app/tray/Tray.h"
#include "base/ErrorReport.h"
#include "platform/FrozenScreenUse.h"
#include "platform/Platform.h"
#include "settings/CaptureSettings.h"

#include <cstdint>
#include <exception>

// What the frozen screen is opened for: a region, the rectangle a scrolling capture scrolls, or
// one whose text to read.
enum class TFrozenPurpose { Region, Scroll, Text };

// The resident program, wired from its rooms: the requests and their scheduler, the tray, the
// capture command, the options, the frozen screen's uses (choosing a region, the rectangle to
// scroll or the one to read, marking the selection), the scrolling capture, the text's reading
// and the pins. The platform calls its
// handlers as typed events; each hands the event to its room and acts on what the room says.
class TMainForm : public IMainWindowEvents {
public:
    explicit TMainForm(IPlatform& platform);

    // Start-up and shutdown; closing never refuses, and ends the program.
    void FormCreate();
    void FormCloseQuery(bool& canClose);
    void FormDestroy();
    void Close();

    // The main window's events.
    void TrayNotify(TTrayEvent event) override;
    void CaptureNowPosted() override;
    void KeyDecided() override;
    void FormMouseDown(TMouseButton button, TShiftState shift, std::int32_t x,
                       std::int32_t y) override;
    void FormMouseMove(TShiftState shift, std::int32_t x, std::int32_t y) override;
    void FormMouseUp(TMouseButton button, TShiftState shift, std::int32_t x,
                     std::int32_t y) override;
    void FormKeyDown(TKeyCode& key, TShiftState shift) override;
    void CountdownTick() override;
    void ScrollTick() override;
    void ScrollLabelClicked() override;
    void TextEntryEnded() override;
    void PinEvent(const TPinEvent& event) override;
    void BackgroundErrorPosted() override;
    // The text read is put on the clipboard and told in a notice.
    void TextRead() override;
    void CloseRequested() override { Close(); }
    // The icon and the watcher go now: the process may end at any moment.
    void SessionEnding() override;
    void HandleException() noexcept override;
    // From any thread: the error of a thread of ours, told on the user-interface thread by the
    // general error handler (the first one only).
    void HandBackgroundError(std::exception_ptr error) noexcept;

    // The commands.
    void mnCaptureClick();
    void mnPositionClick();
    void mnOptionClick();
    void mnExitClick() { Close(); }

    // The rooms' state, as tests and the program's start see it.
    TCaptureSettings& Settings() { return FSettings; }
    TCaptureCommand& Capture() { return FCapture; }
    TOptions& Options() { return FOptions; }
    const TPins& Pins() const { return FPins; }
    // The marks while the selection is marked, else null.
    const TMarkup* Marks() const { return FMarkup.Marks(); }

private:
    void RunRequest(const TCaptureRequest& request);
    void RunMenuCommand(TMenuCommand command);
    // The capture command in turn with the requests, its errors told as part of it.
    void RunCapture(TCaptureSource source);
    // The frozen screen, for each of its purposes; what its use in charge says.
    void OpenFrozenScreen(TFrozenPurpose purpose);
    void Take(const TFrozenAnswer& answer);
    void EndSelection(TScreenUse next = TScreenUse::Free);
    void FinishScroll(TScrollEnd why);
    void RunPinCommand(TPinId pin, TPinCommand command);

    IPlatform& FPlatform;
    TCaptureSettings FSettings;
    TWindowState FWindowState = TWindowState::Normal;
    bool FMagnifierToggled = false; // saved when the frozen screen has gone
    TBackgroundErrors FBackgroundErrors;
    TRequests FRequests;
    TTray FTray;
    TCaptureNotice FNotice;
    TCaptureCommand FCapture;
    TOptions FOptions;
    TRegionSelection FSelection;
    TRectangleChoice FRegionChoice;
    TRectangleChoice FScrollChoice;
    TRectangleChoice FTextChoice;
    TMarkupMode FMarkup;
    TMarking FMarking;
    IFrozenScreenUse* FInCharge = nullptr; // the frozen screen's use, while it is up
    TScrollSession FScroll;
    TPins FPins;
    TTextReading FText;
    // Declared last, so that they end before what they use.
    TLeftoverSweeps FSweeps;
};
