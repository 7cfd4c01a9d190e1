#include "app/MainForm.h"

#include "app/ErrorReport.h"
#include "app/FileNaming.h"
#include "platform/Messages.h"
#include "base/Errors.h"
#include "base/FormatText.h"
#include "base/Texts.h"
#include "imaging/Bitmap.h"
#include "imaging/JpegImage.h"
#include "imaging/PngImage.h"
#include "settings/IniFile.h"
#include "settings/PathRules.h"
#include "settings/SettingsStore.h"

#include <exception>
#include <limits>
#include <utility>

TMainForm::TMainForm(IPlatform& platform)
    : OptionForm(platform), FPositionCaption(Text(TText::MenuPosition)), FPlatform(platform),
      FPositionItemCaption(FPositionCaption) {}

TMainForm::~TMainForm() = default;

void TMainForm::FormCreate() {
    FSerialNo = 1;
    FPositionCaption = FPositionItemCaption;
    FWindowState = TWindowState::Maximized;
    HideToTray();
    // Start-up goes through whatever the settings file holds: should reading it fail, the
    // defaults apply and the key watcher follows them; the failure is told afterwards.
    std::exception_ptr failure;
    try {
        OpenSettings();
    } catch (...) {
        failure = std::current_exception();
        Settings = TCaptureSettings{};
        if (auto pictures = FPlatform.SpecialFolder(TSpecialFolder::Pictures)) {
            Settings.Path = EnsureFinalBackslash(*pictures);
        }
    }
    if (Settings.SavePrtScrKey || Settings.SaveAltPrtScrKey) {
        InstallKeyWatcher();
    }
    if (failure) {
        std::rethrow_exception(failure);
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
    FVisible = false;
}

void TMainForm::RestoreFromTray() {
    DeleteTrayIcon();
    FPlatform.ShowMainWindow(FWindowState);
    FVisible = true;
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
    case WM_MOUSEMOVE_MESSAGE:
    case WM_LBUTTONDOWN_MESSAGE:
    case WM_LBUTTONUP_MESSAGE:
    case WM_RBUTTONDOWN_MESSAGE:
    case WM_RBUTTONUP_MESSAGE:
    case WM_MBUTTONDOWN_MESSAGE:
    case WM_MBUTTONUP_MESSAGE: {
        // Positions are signed 16-bit: with the pointer captured they can be negative.
        const auto x = static_cast<std::int16_t>(message.LParam & 0xFFFF);
        const auto y = static_cast<std::int16_t>((message.LParam >> 16) & 0xFFFF);
        const auto shift = static_cast<std::uint32_t>(message.WParam);
        const auto button = message.Msg <= WM_LBUTTONUP_MESSAGE   ? TMouseButton::Left
                            : message.Msg <= WM_RBUTTONUP_MESSAGE ? TMouseButton::Right
                                                                  : TMouseButton::Middle;
        if (message.Msg == WM_MOUSEMOVE_MESSAGE) {
            FormMouseMove(shift, x, y);
        } else if (message.Msg == WM_LBUTTONDOWN_MESSAGE || message.Msg == WM_RBUTTONDOWN_MESSAGE ||
                   message.Msg == WM_MBUTTONDOWN_MESSAGE) {
            FormMouseDown(button, shift, x, y);
        } else {
            FormMouseUp(button, shift, x, y);
        }
        return true;
    }
    case WM_KEYDOWN_MESSAGE: {
        auto key = static_cast<std::uint16_t>(message.WParam);
        FormKeyDown(key, 0);
        return true;
    }
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
    if (OptionForm.Visible) {
        OptionForm.spnStartVal.SetValue(FSerialNo);
        FPlatform.RefreshOptionsDialog();
    }
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
        if (bitmap.HasStore() && FVisible && FSnapshot) {
            // While the overlay is up the screen shows the snapshot: take its pixels from the
            // snapshot itself, so that no band still on its way to the screen, and no
            // compositor lagging behind, can ever reach the file.
            const std::int64_t x = std::int64_t{FSnapshot->OffsetX} - FRegion.Left;
            const std::int64_t y = std::int64_t{FSnapshot->OffsetY} - FRegion.Top;
            if (x >= INT32_MIN && x <= INT32_MAX && y >= INT32_MIN && y <= INT32_MAX) {
                bitmap.DrawPixels32(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y),
                                    FSnapshot->View());
            }
        } else if (bitmap.HasStore()) {
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
        } else if (Settings.ImageType == 2) {
            SavePngFile(bitmap, fileName, FPlatform.Files());
        } else {
            bitmap.SaveBmpFile(fileName, FPlatform.Files());
        }
        return true;
    } catch (...) {
        FPlatform.ShowMessageBox(Text(TText::SaveFailed), TBoxKind::Error, TBoxButtons::Ok);
        return false;
    }
}

void TMainForm::mnPositionClick() {
    // A snapshot that cannot be made raises here: no overlay, the region unchanged.
    std::shared_ptr<const TScreenPixels> snapshot =
        FPlatform.GrabScreen(0, 0, FPlatform.ScreenWidth(), FPlatform.ScreenHeight());
    FPlatform.SetOverlayPicture(snapshot);
    FSnapshot = std::move(snapshot);
    FPlatform.ShowMainWindow(FWindowState);
    FVisible = true;
    FPlatform.SetCrossCursor(true);
}

void TMainForm::RubberBand(std::int32_t cornerX, std::int32_t cornerY) {
    FPlatform.DrawXorRectangle(FRegion.Left, FRegion.Top, cornerX, cornerY);
}

void TMainForm::FormMouseDown(TMouseButton button, std::uint32_t, std::int32_t x, std::int32_t y) {
    if (button != TMouseButton::Left) {
        return;
    }
    FPrevRegion = FRegion;
    FRegion = {x, y, x, y};
    FPlatform.SetPointerCapture(true);
}

void TMainForm::FormMouseMove(std::uint32_t shift, std::int32_t x, std::int32_t y) {
    if (!(shift & kHeldLeft)) {
        return;
    }
    RubberBand(FRegion.Right, FRegion.Bottom); // erase the band of the last move
    RubberBand(x, y);
    FRegion.Right = x;
    FRegion.Bottom = y;
}

void TMainForm::FormMouseUp(TMouseButton button, std::uint32_t, std::int32_t x, std::int32_t y) {
    if (button != TMouseButton::Left) {
        return;
    }
    FPlatform.SetPointerCapture(false);
    if (!FVisible) {
        // The selection was ended by Esc while the button was held.
        FRegion = FPrevRegion;
        return;
    }
    struct TEndSelection {
        TMainForm& Form;
        ~TEndSelection() { Form.EndSelection(); }
    } end{*this};
    FPlatform.SetCrossCursor(false);
    RubberBand(FRegion.Right, FRegion.Bottom);
    FRegion.Right = x;
    FRegion.Bottom = y;
    if (FRegion.Left > FRegion.Right) {
        std::swap(FRegion.Left, FRegion.Right);
    }
    if (FRegion.Top > FRegion.Bottom) {
        std::swap(FRegion.Top, FRegion.Bottom);
    }
    ShowRegionInCaption();
    if (Settings.CaptAtSameTime) {
        mnCaptureClick(); // reads the frozen snapshot still on the screen, band erased
    }
}

void TMainForm::FormKeyDown(std::uint16_t& key, std::uint32_t) {
    if (key != kKeyEscape) {
        return;
    }
    FRegion = FPrevRegion;
    FPlatform.SetPointerCapture(false);
    EndSelection();
}

// Whatever happened: the snapshot released, the arrow back, the form hidden into the tray.
void TMainForm::EndSelection() {
    try {
        FPlatform.SetCrossCursor(false);
        FPlatform.SetOverlayPicture(nullptr);
        FSnapshot.reset();
        HideToTray();
    } catch (...) {
        HandleException();
    }
}

void TMainForm::mnOptionClick() {
    if (OptionForm.Visible) {
        FPlatform.FocusOptionsDialog(); // chosen again while open: nothing is reloaded
        return;
    }
    TOptionForm& form = OptionForm;
    form.edtPath = Settings.Path;
    form.edtPrefix = Settings.Prefix;
    form.cmbFormat = Settings.DateFormat;
    form.spnDigit.SetValue(Settings.Digit);
    form.spnStartVal.SetValue(FSerialNo);
    form.chkUpdate = Settings.IsUpdate;
    form.chkPosiAppli = Settings.CaptAtSameTime;
    form.chkAppli = Settings.ExecApplication;
    form.chkPrtSc = Settings.SavePrtScrKey;
    form.chkAltPrtSc = Settings.SaveAltPrtScrKey;
    form.SetFileType(Settings.ImageType);
    form.SetColor(Settings.ImageBit);

    form.Visible = true;
    int result = mrCancel;
    try {
        result = FPlatform.RunOptionsDialog(form);
    } catch (...) {
        form.Visible = false;
        throw;
    }
    form.Visible = false;
    if (result != mrOk) {
        return; // captures made meanwhile keep their effect on the counter
    }

    Settings.Path = form.edtPath;
    Settings.Prefix = form.edtPrefix;
    Settings.DateFormat = form.cmbFormat;
    Settings.Digit = form.spnDigit.Value();
    FSerialNo = form.spnStartVal.Value();
    Settings.Path = EnsureFinalBackslash(Settings.Path);
    Settings.IsUpdate = form.chkUpdate;
    Settings.CaptAtSameTime = form.chkPosiAppli;
    Settings.ExecApplication = form.chkAppli;
    if (form.chkPrtSc || form.chkAltPrtSc) {
        InstallKeyWatcher();
    } else {
        RemoveKeyWatcher();
    }
    Settings.SavePrtScrKey = form.chkPrtSc;
    Settings.SaveAltPrtScrKey = form.chkAltPrtSc;
    Settings.ImageType = form.rdoFileType;
    Settings.ImageBit = form.rdoColor;
    SaveSettings(); // a refused write reaches the general error handler; the values stay
}

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
