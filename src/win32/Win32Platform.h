#pragma once

#include "platform/Platform.h"
#include "win32/ClipboardOwner.h"
#include "win32/GdiHandles.h"
#include "win32/KeyWatcherThread.h"
#include "win32/MarkDrawing.h"
#include "win32/OverlayPainter.h"
#include "win32/ScreenGrab.h"
#include "win32/TextEntry.h"
#include "win32/TrayIcon.h"
#include "win32/Win32FileSystem.h"

#include <memory>

// The program's desktop on Windows: the hidden main window captioned "Quorshot" (no taskbar
// entry), which is also the region overlay, its tray icon, the screen, the boxes, the options
// dialog and the key watcher.
class TWin32Platform : public IPlatform {
public:
    explicit TWin32Platform(HINSTANCE instance);
    ~TWin32Platform() override;
    TWin32Platform(const TWin32Platform&) = delete;
    TWin32Platform& operator=(const TWin32Platform&) = delete;

    IFileSystem& Files() override { return FFiles; }
    std::string ExecutablePath() override;
    std::optional<std::string> SpecialFolder(TSpecialFolder folder) override;
    TLocalTime Now() override;

    std::int32_t ScreenWidth() override;
    std::int32_t ScreenHeight() override;
    std::vector<TMonitor> Monitors() override;
    std::unique_ptr<TScreenPixels> GrabScreen(std::int32_t left, std::int32_t top,
                                              std::int32_t width, std::int32_t height) override;
    TDisplayColours DisplayColours() override;

    int ShowMessageBox(const std::string& text, TBoxKind kind, TBoxButtons buttons) override;
    void ShowErrorBox(const std::string& text) override;

    void SetMainWindowHandler(IMainWindowHandler* handler) override;
    void AddTrayIcon() override;
    void DeleteTrayIcon() override;
    void HideMainWindow() override;
    void ShowMainWindow(TWindowState state) override;
    TMenuCommand TrackTrayMenu() override;
    void SetPositionItemCaption(const std::string& caption) override;
    void SetMenuKeys(const std::string& positionKey, const std::string& captureKey) override;
    void SetMenuDelay(int seconds) override;
    void ShowCountdown(int secondsLeft) override;
    void SetCountdownTimer(bool on) override;
    void Quit() override;
    void PostToMainWindow(std::uint32_t message) override;
    void SetOverlayPicture(std::shared_ptr<const TScreenPixels> picture) override;
    void SetCrossCursor(bool cross) override;
    void DrawXorRectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                          std::int32_t y2) override;
    void SetOverlayAids(const TOverlayAids& aids) override;
    void SetOverlayMarks(std::shared_ptr<const TScreenPixels> marks,
                         const std::vector<TCaptureRegion>& changed) override;
    std::vector<TCaptureRegion> DrawMark(const TMark& mark, const TMarkStyle& style,
                                         const TPixels32Canvas& canvas) override;
    void BeginTextEntry(TScreenPoint at, std::int32_t width, std::uint32_t colour,
                        std::int32_t height) override;
    std::optional<std::string> EndTextEntry() override;
    std::vector<TCaptureRegion> WindowFrames() override;
    void SetPointerCapture(bool captured) override;
    TScreenPoint PointerPosition() override;
    void SetPointerPosition(TScreenPoint position) override;
    std::uint32_t ModifierKeys() override;
    std::optional<TPointerPicture> PointerPicture() override;
    void RunMessageLoop() override;
    int RunOptionsDialog(TOptionValues& values, IOptionsDialogHandler& handler) override;
    void FocusOptionsDialog() override;
    void RefreshOptionsDialog(const TOptionValues& values) override;

    bool InstallKeyWatcher(const TKeyBindings& bindings) override;
    void RemoveKeyWatcher() override;
    std::optional<TKeyDecision> TakeKeyDecision() override;
    std::optional<bool> SystemPrintScreenCapture() override;
    bool TurnOffSystemPrintScreenCapture() override;

    void ShellOpen(const std::string& fileName) override;
    void ShowInFolder(const std::string& fileName) override;
    bool SetClipboardPicture(std::shared_ptr<const IClipboardPicture> picture) override;
    void ShowNotice(const std::string& title, const std::string& text) override;
    void HideNotice() override;

    HWND MainWindow() const { return FMainWindow.Get(); }

private:
    static LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE FInstance;
    TWin32FileSystem FFiles;
    IMainWindowHandler* FHandler = nullptr;
    bool FCrossCursor = false;
    TScreenGrabber FGrabber;
    // Taken apart first, in the destructor: the watcher, the icon, then the window.
    TWindowHandle FMainWindow;
    std::unique_ptr<TTrayIcon> FTray;
    std::unique_ptr<TOverlayPainter> FOverlay;
    std::unique_ptr<TTextEntry> FTextEntry;
    std::unique_ptr<TClipboardOwner> FClipboard;
    std::unique_ptr<TKeyWatcherThread> FKeyWatcher;
};
