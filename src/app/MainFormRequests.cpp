#include "app/MainForm.h"

#include "platform/PixelRows.h"

#include <memory>
#include <utility>

void TMainForm::TrayNotify(TTrayEvent event) {
    switch (event) {
    case TTrayEvent::LeftDown:
        // A click on the icon cancels the text being read, as it cancels a countdown.
        FText.Cancel();
        FRequests.Schedule({TSchedulerEventKind::TrayPress});
        break;
    case TTrayEvent::DoubleClick:
        FRequests.Schedule({TSchedulerEventKind::TrayDoubleClick}); // the capture command
        break;
    case TTrayEvent::RightDown: {
        TMenuCommand command = TMenuCommand::None;
        FRequests.WhileMenuOpen([&] {
            command = FTray.TrackMenu();
            if (command == TMenuCommand::Exit) {
                mnExitClick(); // before what waited for the menu could start
            }
        });
        RunMenuCommand(command);
        break;
    }
    case TTrayEvent::NoticeClicked:
        FNotice.Clicked();
        break;
    }
}

void TMainForm::CaptureNowPosted() {
    FRequests.Request({TRequestKind::Posted});
}

void TMainForm::KeyDecided() {
    const auto decision = FPlatform.KeyWatcher().TakeKeyDecision();
    if (!decision) {
        return;
    }
    if (decision->Escape) {
        FinishScroll(TScrollEnd::Stopped);
        FText.Cancel();
        return;
    }
    FRequests.Request({TRequestKind::Key, *decision});
}

void TMainForm::CountdownTick() {
    FRequests.Schedule({TSchedulerEventKind::Tick});
}

void TMainForm::RunRequest(const TCaptureRequest& request) {
    const TKeyDecision& key = request.Key;
    switch (request.Kind) {
    case TRequestKind::Command:
        mnCaptureClick();
        break;
    case TRequestKind::Posted:
        FCapture.ShowRegionInCaption();
        mnCaptureClick();
        break;
    case TRequestKind::Key:
        if (key.Action == TKeyAction::Capture || key.Action == TKeyAction::CaptureWindow) {
            // The region as it is (the screen when none was chosen), or the window in front.
            if (key.Action == TKeyAction::CaptureWindow || !FCapture.RegionChosen()) {
                FCapture.SetRegion(key.Action == TKeyAction::CaptureWindow && key.Rect
                                       ? *key.Rect
                                       : FCapture.ScreenRegion());
            }
            FCapture.ShowRegionInCaption();
            mnCaptureClick();
        } else if (key.Action == TKeyAction::CaptureScreen) {
            TCaptureSource source;
            source.Rect = key.Rect ? *key.Rect : FCapture.ScreenRegion();
            RunCapture(std::move(source));
        } else {
            OpenFrozenScreen(key.Action == TKeyAction::ScrollCapture ? TFrozenPurpose::Scroll
                             : key.Action == TKeyAction::ReadText    ? TFrozenPurpose::Text
                                                                     : TFrozenPurpose::Region);
        }
        break;
    case TRequestKind::Select:
    case TRequestKind::Scroll:
    case TRequestKind::ReadText:
        OpenFrozenScreen(request.Kind == TRequestKind::Scroll     ? TFrozenPurpose::Scroll
                         : request.Kind == TRequestKind::ReadText ? TFrozenPurpose::Text
                                                                  : TFrozenPurpose::Region);
        break;
    case TRequestKind::SavePin:
        // Saved as any capture is, as the next numbered file; the picture is held until the
        // file is written, should the pin be closed from the save's question.
        if (const std::shared_ptr<const TPixelRows> picture = FPins.Picture(request.Pin)) {
            const TPixels32View view = picture->View();
            TCaptureSource source;
            source.Rect = TCaptureRegion{0, 0, view.Width, view.Height};
            source.Picture = view;
            RunCapture(std::move(source));
        }
        break;
    }
}

void TMainForm::RunMenuCommand(TMenuCommand command) {
    switch (command) {
    case TMenuCommand::Position:
        FRequests.Request({TRequestKind::Select});
        break;
    case TMenuCommand::Capture:
        FRequests.Request({TRequestKind::Command});
        break;
    case TMenuCommand::Option:
        mnOptionClick();
        break;
    case TMenuCommand::ScrollCapture:
        FRequests.Request({TRequestKind::Scroll});
        break;
    case TMenuCommand::ReadText:
        FRequests.Request({TRequestKind::ReadText});
        break;
    case TMenuCommand::CloseAllPins:
        RunPinCommand(0, TPinCommand::CloseAll);
        break;
    case TMenuCommand::Exit:
        if (!FRequests.Closing()) {
            mnExitClick();
        }
        break;
    case TMenuCommand::Delay0:
    case TMenuCommand::Delay3:
    case TMenuCommand::Delay5:
    case TMenuCommand::Delay10:
        for (const auto& [item, seconds] : kMenuDelays) {
            if (item == command) {
                FSettings.Delay = seconds;
            }
        }
        FTray.CheckDelay(FSettings.Delay);
        FOptions.Save(); // at once, as the options' OK saves; a refused write is told
        break;
    case TMenuCommand::None:
        break;
    }
}

// Over the current region; while the frozen screen is up, from its snapshot.
void TMainForm::mnCaptureClick() {
    TCaptureSource source;
    if (FSelection.Visible() && FSelection.Snapshot()) {
        source.Snapshot = FSelection.Snapshot();
        source.SnapshotPointer = FSelection.SnapshotPointer();
    }
    RunCapture(std::move(source));
}

void TMainForm::RunCapture(TCaptureSource source) {
    if (FRequests.Capturing()) {
        // Asked for from inside this command's own question: its turn comes after it.
        FRequests.Request(source.Rect ? TCaptureRequest{TRequestKind::Key,
                                                        {TKeyAction::CaptureScreen, source.Rect}}
                                      : TCaptureRequest{TRequestKind::Command});
        return;
    }
    FRequests.Schedule({TSchedulerEventKind::CaptureStarted});
    try {
        FCapture.Run(source);
    } catch (...) {
        HandleException(); // the error box is part of the capture
    }
    FRequests.Schedule({TSchedulerEventKind::CaptureEnded});
}

void TMainForm::PinEvent(const TPinEvent& event) {
    if (const TPinCommand command = FPins.CommandFor(event, FRequests);
        command != TPinCommand::None) {
        RunPinCommand(event.Pin, command);
    }
}

void TMainForm::RunPinCommand(TPinId pin, TPinCommand command) {
    switch (command) {
    case TPinCommand::Copy:
        // The picture as pinned, at 100 %.
        if (const std::shared_ptr<const TPixelRows> picture = FPins.Picture(pin)) {
            FCapture.CopyPicture(picture->View());
        }
        break;
    case TPinCommand::Save:
        // In turn with the captures, so that the counter and the questions stay in order.
        FRequests.Request({TRequestKind::SavePin, {}, pin});
        break;
    case TPinCommand::Close:
        FPins.Close(pin);
        break;
    case TPinCommand::CloseAll:
        FPins.CloseAll();
        break;
    case TPinCommand::None:
        break;
    }
    FTray.ShowCloseAllPins(!FPins.Empty());
}
