#include "app/MainForm.h"

#include "app/ErrorReport.h"
#include "app/FileNaming.h"
#include "platform/Messages.h"
#include "base/Errors.h"
#include "base/FormatText.h"
#include "base/Texts.h"
#include "imaging/Bitmap.h"
#include "imaging/JpegImage.h"
#include "settings/IniFile.h"
#include "settings/PathRules.h"
#include "settings/SettingsStore.h"

#include <limits>

TMainForm::TMainForm(IPlatform& platform)
    : FPositionCaption(Text(TText::MenuPosition)), FPlatform(platform),
      FPositionItemCaption(FPositionCaption) {}

TMainForm::~TMainForm() = default;

void TMainForm::FormCreate() {
    FSerialNo = 1;
    FPositionCaption = FPositionItemCaption;
    FWindowState = TWindowState::Maximized;
    HideToTray();
    OpenSettings();
    if (Settings.SavePrtScrKey || Settings.SaveAltPrtScrKey) {
        InstallKeyWatcher();
    }
}

void TMainForm::FormCloseQuery(bool& canClose) {
    HideToTray();
    canClose = true;
}

void TMainForm::Close() {
    bool canClose = true;
    FormCloseQuery(canClose);
    if (canClose) {
        FPlatform.Quit();
    }
}

void TMainForm::FormDestroy() {
    // The watcher goes whatever else fails here: a hook left behind would outlive us.
    struct TRemoveWatcher {
        TMainForm& Form;
        ~TRemoveWatcher() { Form.RemoveKeyWatcher(); }
    } removeWatcher{*this};
    RestoreFromTray();
    FIniFile.reset();
}

void TMainForm::OpenSettings() {
    FIniFile =
        std::make_unique<TIniFile>(SettingsFilePath(FPlatform.ExecutablePath()), FPlatform.Files());
    LoadSettings();
}

void TMainForm::LoadSettings() {
    if (FIniFile) {
        Settings = ::LoadSettings(*FIniFile, FPlatform);
    }
}

void TMainForm::SaveSettings() {
    if (FIniFile) {
        ::SaveSettings(Settings, *FIniFile);
    }
}

void TMainForm::ShowRegionInCaption() {
    FPositionItemCaption = FPositionCaption + "(" + std::to_string(FRegion.Left) + "," +
                           std::to_string(FRegion.Top) + "," + std::to_string(FRegion.Right) + "," +
                           std::to_string(FRegion.Bottom) + ")";
    FPlatform.SetPositionItemCaption(FPositionItemCaption);
}

TCaptureRegion TMainForm::FullScreenRegion() {
    return {0, 0, FPlatform.ScreenWidth(), FPlatform.ScreenHeight()};
}

void TMainForm::AddTrayIcon() {
    if (FInTray) {
        return;
    }
    FPlatform.AddTrayIcon();
    FInTray = true; // whatever the shell made of it
}

void TMainForm::DeleteTrayIcon() {
    if (!FInTray) {
        return;
    }
    FPlatform.DeleteTrayIcon();
    FInTray = false;
}

void TMainForm::HideToTray() {
    AddTrayIcon();
    FPlatform.HideMainWindow();
}

void TMainForm::RestoreFromTray() {
    DeleteTrayIcon();
    FPlatform.ShowMainWindow(FWindowState);
}

bool TMainForm::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_TRAYNOTIFY:
        if (message.LParam == kMouseLeftDoubleClick) {
            mnCaptureClick();
        } else if (message.LParam == kMouseRightDown) {
            OpenTrayMenu();
        }
        return true; // other mouse activity is not passed on either
    case WM_CAPTURENOW:
        CaptureNow();
        return true;
    case WM_KEYDECISION:
        if (const auto decision = FPlatform.TakeKeyDecision()) {
            ApplyKeyDecision(*decision);
        }
        return true;
    case WM_CLOSE_MESSAGE:
        Close();
        return true;
    default:
        return false;
    }
}

void TMainForm::HandleException() noexcept {
    try {
        FPlatform.ShowErrorBox(GeneralErrorText(ExceptionMessage(std::current_exception())));
    } catch (...) {
        // Nothing more can be told; the program goes on.
    }
}

void TMainForm::OpenTrayMenu() {
    RunMenuCommand(FPlatform.TrackTrayMenu());
}

void TMainForm::RunMenuCommand(TMenuCommand command) {
    switch (command) {
    case TMenuCommand::Position:
        mnPositionClick();
        break;
    case TMenuCommand::Capture:
        mnCaptureClick();
        break;
    case TMenuCommand::Option:
        mnOptionClick();
        break;
    case TMenuCommand::Exit:
        mnExitClick();
        break;
    case TMenuCommand::None:
        break;
    }
}

void TMainForm::mnCaptureClick() {
    if (!RegionChosen()) {
        FPlatform.ShowMessageBox(Text(TText::RegionMissing), TBoxKind::Error, TBoxButtons::Ok);
        return;
    }
    if (static_cast<std::int64_t>(std::to_string(FSerialNo).size()) > Settings.Digit) {
        const int answer = FPlatform.ShowMessageBox(Text(TText::DigitOverflow), TBoxKind::Warning,
                                                    TBoxButtons::OkCancel);
        if (answer != mrOk) {
            --FSerialNo;
            return;
        }
        ++Settings.Digit; // in memory only, and not limited to 9 here
    }
    const std::string fileName = BuildCaptureFileName(Settings, FSerialNo, FPlatform.Now());
    if (Settings.IsUpdate && FPlatform.Files().FileExists(fileName)) {
        const int answer =
            FPlatform.ShowMessageBox(FormatText(Text(TText::OverwriteQuestion), {fileName}),
                                     TBoxKind::Warning, TBoxButtons::YesNo);
        if (answer != mrYes) {
            return;
        }
    }
    if (!SaveCapture(fileName)) {
        return;
    }
    ++FSerialNo;
    if (Settings.ExecApplication && FPlatform.Files().FileExists(fileName)) {
        try {
            FPlatform.ShellOpen(fileName);
        } catch (...) {
            // Opening the file is a convenience; its failure is not reported.
        }
    }
}

bool TMainForm::SaveCapture(const std::string& fileName) {
    try {
        const std::int64_t width = std::int64_t{FRegion.Right} - FRegion.Left;
        const std::int64_t height = std::int64_t{FRegion.Bottom} - FRegion.Top;
        if (width > std::numeric_limits<std::int32_t>::max() ||
            height > std::numeric_limits<std::int32_t>::max()) {
            throw EOutOfResources(Text(TText::OutOfSystemResources));
        }
        TBitmap bitmap;
        bitmap.SetColumns(static_cast<std::int32_t>(width));
        bitmap.SetRows(static_cast<std::int32_t>(height));
        bitmap.SetPixelDepth(DepthForImageBit(Settings.ImageBit));
        if (bitmap.HasStore()) {
            const auto screen =
                FPlatform.GrabScreen(FRegion.Left, FRegion.Top, bitmap.Width(), bitmap.Height());
            bitmap.DrawPixels32(screen->OffsetX, screen->OffsetY, screen->View());
        }
        if (Settings.ImageType == 1) {
            TJPEGImage jpeg;
            jpeg.Quality = 100;
            jpeg.ProgressiveEncoding = false;
            jpeg.SetSourceBitmap(bitmap);
            jpeg.SaveJpegFile(fileName, FPlatform.Files());
        } else {
            bitmap.SaveBmpFile(fileName, FPlatform.Files());
        }
        return true;
    } catch (...) {
        FPlatform.ShowMessageBox(Text(TText::SaveFailed), TBoxKind::Error, TBoxButtons::Ok);
        return false;
    }
}

void TMainForm::mnPositionClick() {}

void TMainForm::mnOptionClick() {}

void TMainForm::mnExitClick() {
    FWindowState = TWindowState::Minimized;
    Close();
}

void TMainForm::CaptureNow() {
    ShowRegionInCaption();
    mnCaptureClick();
}

void TMainForm::ApplyKeyDecision(const TKeyDecision& decision) {
    switch (decision.Kind) {
    case TKeyDecisionKind::PrintScreen:
        if (!RegionChosen()) {
            FRegion = FullScreenRegion();
        }
        break;
    case TKeyDecisionKind::AltPrintScreen:
        FRegion = decision.WindowRect ? *decision.WindowRect : FullScreenRegion();
        break;
    }
    CaptureNow();
}

void TMainForm::InstallKeyWatcher() {
    if (!FKeyWatcherInstalled) {
        FKeyWatcherInstalled = FPlatform.InstallKeyWatcher(); // a failure is not reported
    }
}

void TMainForm::RemoveKeyWatcher() {
    if (FKeyWatcherInstalled) {
        FPlatform.RemoveKeyWatcher();
        FKeyWatcherInstalled = false;
    }
}
