#include "win32/Win32Platform.h"

#include "win32/CallbackErrors.h"
#include "win32/CoTaskMemory.h"
#include "win32/dialogs/MessageBoxDialog.h"
#include "win32/dialogs/ModalDialog.h"
#include "win32/dialogs/OptionsDialog.h"
#include "win32/ScreenGrab.h"
#include "win32/PointerPicture.h"
#include "win32/ScreenSettle.h"
#include "win32/ShellFolders.h"
#include "win32/WideText.h"
#include "win32/WindowFrames.h"

#include "base/Errors.h"
#include "base/Texts.h"
#include "platform/BoxModel.h"
#include "platform/Messages.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shellscalingapi.h>
#include <windowsx.h>
#include <wtsapi32.h>

namespace {

constexpr wchar_t kMainClass[] = L"QuorlanMain";

} // namespace

TWin32Platform::TWin32Platform(HINSTANCE instance) : FInstance(instance) {
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = MainWindowProc;
    cls.hInstance = instance;
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    cls.lpszClassName = kMainClass;
    RegisterClassExW(&cls);

    // A tool window has no taskbar button; it is the program's message target and, later,
    // the full-screen overlay.
    FMainWindow.Reset(CreateWindowExW(
        WS_EX_TOOLWINDOW, kMainClass, WideFromUtf8(Text(TText::MainCaption)).c_str(),
        WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, nullptr, nullptr, instance, this));
    if (!FMainWindow) {
        throw EOutOfResources(Text(TText::OutOfSystemResources));
    }
    FTray = std::make_unique<TTrayIcon>(instance, FMainWindow.Get());
    FOverlay = std::make_unique<TOverlayPainter>(FMainWindow.Get());
    FClipboard = std::make_unique<TClipboardOwner>(FMainWindow.Get());
    // Told when the session is unlocked, to put the key watcher's hook in place anew.
    WTSRegisterSessionNotification(FMainWindow.Get(), NOTIFY_FOR_THIS_SESSION);
    // The whole screen's section, ready for the first capture.
    FGrabber.Prepare(GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

TWin32Platform::~TWin32Platform() {
    // In the order of their dependence: the watcher posts to the window, the icon belongs to
    // it, and the window's last messages must not reach a platform being taken apart.
    FKeyWatcher.reset();
    FTextEntry.reset();
    FTray.reset();
    if (FClipboard) {
        try {
            FClipboard->RenderAll(); // what was copied stays pasteable after we have gone
        } catch (...) {
            // Out of memory at exit: the clipboard is left with its formats promised.
        }
    }
    SetCallbackErrorHandler(nullptr);
    if (FMainWindow) {
        WTSUnRegisterSessionNotification(FMainWindow.Get());
        SetWindowLongPtrW(FMainWindow.Get(), GWLP_USERDATA, 0);
        FMainWindow.Reset();
    }
}

void TWin32Platform::SetMainWindowHandler(IMainWindowHandler* handler) {
    FHandler = handler;
    SetCallbackErrorHandler(handler);
}

std::string TWin32Platform::ExecutablePath() {
    return ExecutableFullPath();
}

std::optional<std::string> TWin32Platform::SpecialFolder(TSpecialFolder folder) {
    return KnownFolderPath(folder);
}

TLocalTime TWin32Platform::Now() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

std::vector<TMonitor> TWin32Platform::Monitors() {
    return DesktopMonitors();
}

std::int32_t TWin32Platform::ScreenWidth() {
    return GetSystemMetrics(SM_CXSCREEN);
}

std::int32_t TWin32Platform::ScreenHeight() {
    return GetSystemMetrics(SM_CYSCREEN);
}

std::unique_ptr<TScreenPixels> TWin32Platform::GrabScreen(std::int32_t left, std::int32_t top,
                                                          std::int32_t width, std::int32_t height) {
    return FGrabber.Grab(left, top, width, height);
}

TDisplayColours TWin32Platform::DisplayColours() {
    return ReadDisplayColours();
}

int TWin32Platform::ShowMessageBox(const std::string& text, TBoxKind kind, TBoxButtons buttons) {
    return RunMessageBox(MakeBoxModel(kind, buttons), text);
}

void TWin32Platform::ShowErrorBox(const std::string& text) {
    // Owned by the window the user is working in, which it disables while open.
    MessageBoxW(VisibleActiveWindow(), WideFromUtf8(text).c_str(),
                WideFromUtf8(Text(TText::AppTitle)).c_str(),
                MB_OK | MB_ICONERROR | MB_TOPMOST | MB_SETFOREGROUND);
}

void TWin32Platform::AddTrayIcon() {
    FTray->Add();
}

void TWin32Platform::DeleteTrayIcon() {
    FTray->Delete();
}

void TWin32Platform::HideMainWindow() {
    ShowWindow(FMainWindow.Get(), SW_HIDE);
}

void TWin32Platform::ShowMainWindow(TWindowState state) {
    if (state == TWindowState::Maximized) {
        // Over every monitor, borderless and above other windows: one window spanning the
        // virtual screen, so that the snapshot lies on the pixels it came from and a drag goes
        // across monitors. It keeps its size in physical pixels when its monitors differ in
        // scaling (WM_DPICHANGED is not followed).
        const TCaptureRegion all = VirtualScreenOf(Monitors());
        SetWindowPos(FMainWindow.Get(), HWND_TOPMOST, all.Left, all.Top, all.Right - all.Left,
                     all.Bottom - all.Top, SWP_SHOWWINDOW | SWP_FRAMECHANGED);
        SetForegroundWindow(FMainWindow.Get());
        SetFocus(FMainWindow.Get());
        UpdateWindow(FMainWindow.Get());
        return;
    }
    const int command = state == TWindowState::Maximized   ? SW_SHOWMAXIMIZED
                        : state == TWindowState::Minimized ? SW_SHOWMINNOACTIVE
                                                           : SW_SHOWNORMAL;
    ShowWindow(FMainWindow.Get(), command);
    SetWindowPos(FMainWindow.Get(), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | (state == TWindowState::Minimized ? SWP_NOACTIVATE : 0));
}

TMenuCommand TWin32Platform::TrackTrayMenu() {
    return FTray->TrackMenu();
}

void TWin32Platform::SetPositionItemCaption(const std::string& caption) {
    FTray->SetPositionCaption(caption);
}

void TWin32Platform::SetMenuKeys(const std::string& positionKey, const std::string& captureKey) {
    FTray->SetKeys(positionKey, captureKey);
}

void TWin32Platform::SetMenuDelay(int seconds) {
    FTray->CheckDelay(seconds);
}

void TWin32Platform::ShowCountdown(int secondsLeft) {
    FTray->ShowCountdown(secondsLeft);
    if (secondsLeft == 0) {
        AwaitUncoveredRepaint(); // the usual icon on the screen before it is copied
    }
}

void TWin32Platform::SetCountdownTimer(bool on) {
    if (on) {
        SetTimer(FMainWindow.Get(), kCountdownTimer, 1000, nullptr);
    } else {
        KillTimer(FMainWindow.Get(), kCountdownTimer);
    }
}

void TWin32Platform::Quit() {
    PostQuitMessage(0);
}

void TWin32Platform::PostToMainWindow(std::uint32_t message) {
    PostMessageW(FMainWindow.Get(), message, 0, 0); // after the window has gone: dropped
}

void TWin32Platform::SetOverlayPicture(std::shared_ptr<const TScreenPixels> picture) {
    FOverlay->SetPicture(std::move(picture));
}

void TWin32Platform::SetCrossCursor(bool cross) {
    FCrossCursor = cross;
    SetCursor(LoadCursorW(nullptr, cross ? IDC_CROSS : IDC_ARROW));
}

void TWin32Platform::DrawXorRectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                      std::int32_t y2) {
    FOverlay->DrawXorRectangle(x1, y1, x2, y2);
}

void TWin32Platform::SetOverlayAids(const TOverlayAids& aids) {
    FOverlay->SetAids(aids);
}

void TWin32Platform::SetOverlayMarks(std::shared_ptr<const TScreenPixels> marks,
                                     const std::vector<TCaptureRegion>& changed) {
    FOverlay->SetMarks(std::move(marks), changed);
}

std::vector<TCaptureRegion> TWin32Platform::DrawMark(const TMark& mark, const TMarkStyle& style,
                                                     const TPixels32Canvas& canvas) {
    return DrawMarkOnCanvas(mark, style, canvas);
}

void TWin32Platform::BeginTextEntry(TScreenPoint at, std::int32_t width, std::uint32_t colour,
                                    std::int32_t height) {
    FTextEntry.reset();
    FTextEntry = std::make_unique<TTextEntry>(FMainWindow.Get(), WM_TEXTENTRYENDED,
                                              POINT{at.X, at.Y}, width, colour, height);
}

std::optional<std::string> TWin32Platform::EndTextEntry() {
    if (!FTextEntry) {
        return std::nullopt;
    }
    std::string text = FTextEntry->Text();
    FTextEntry.reset();
    return text;
}

std::vector<TCaptureRegion> TWin32Platform::WindowFrames() {
    return TopLevelWindowFrames();
}

void TWin32Platform::SetPointerCapture(bool captured) {
    if (captured) {
        SetCapture(FMainWindow.Get());
    } else if (GetCapture() == FMainWindow.Get()) {
        ReleaseCapture();
    }
}

TScreenPoint TWin32Platform::PointerPosition() {
    POINT at{};
    GetCursorPos(&at);
    return {at.x, at.y};
}

void TWin32Platform::SetPointerPosition(TScreenPoint position) {
    SetCursorPos(position.X, position.Y); // the system sends the window its WM_MOUSEMOVE
}

std::optional<TPointerPicture> TWin32Platform::PointerPicture() {
    return CurrentPointerPicture();
}

std::uint32_t TWin32Platform::ModifierKeys() {
    return (GetKeyState(VK_SHIFT) < 0 ? kHeldShift : 0) |
           (GetKeyState(VK_CONTROL) < 0 ? kHeldControl : 0);
}

void TWin32Platform::RunMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

int TWin32Platform::RunOptionsDialog(TOptionValues& values, IOptionsDialogHandler& handler) {
    return ::RunOptionsDialog(values, handler);
}

void TWin32Platform::FocusOptionsDialog() {
    ::FocusOptionsDialog();
}

void TWin32Platform::RefreshOptionsDialog(const TOptionValues& values) {
    ::RefreshOptionsDialog(values);
}

bool TWin32Platform::InstallKeyWatcher(const TKeyBindings& bindings) {
    if (!FKeyWatcher) {
        FKeyWatcher = std::make_unique<TKeyWatcherThread>(FMainWindow.Get());
    }
    FKeyWatcher->SetBindings(bindings);
    return FKeyWatcher->Start();
}

void TWin32Platform::RemoveKeyWatcher() {
    if (FKeyWatcher) {
        FKeyWatcher->Stop();
    }
}

std::optional<TKeyDecision> TWin32Platform::TakeKeyDecision() {
    return FKeyWatcher ? FKeyWatcher->Take() : std::nullopt;
}

namespace {

// Windows 11's "Use the Print screen key to open screen capture", the user's own.
constexpr wchar_t kKeyboardKey[] = L"Control Panel\\Keyboard";
constexpr wchar_t kSnippingValue[] = L"PrintScreenKeyForSnippingEnabled";

} // namespace

std::optional<bool> TWin32Platform::SystemPrintScreenCapture() {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, kKeyboardKey, kSnippingValue, RRF_RT_REG_DWORD, nullptr,
                     &value, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value == 1;
}

bool TWin32Platform::TurnOffSystemPrintScreenCapture() {
    const DWORD off = 0;
    return RegSetKeyValueW(HKEY_CURRENT_USER, kKeyboardKey, kSnippingValue, REG_DWORD, &off,
                           sizeof off) == ERROR_SUCCESS;
}

void TWin32Platform::ShowInFolder(const std::string& fileName) {
    const std::wstring path = WideFromUtf8(FFiles.FullPath(fileName));
    const TCoTaskMemory<ITEMIDLIST> item(ILCreateFromPathW(path.c_str()));
    if (item.Get() && SUCCEEDED(SHOpenFolderAndSelectItems(item.Get(), 0, nullptr, 0))) {
        return;
    }
    const std::wstring select = L"/select,\"" + path + L"\"";
    ShellExecuteW(nullptr, L"open", L"explorer.exe", select.c_str(), nullptr, SW_SHOWNORMAL);
}

bool TWin32Platform::SetClipboardPicture(std::shared_ptr<const IClipboardPicture> picture) {
    return FClipboard->Offer(std::move(picture));
}

void TWin32Platform::ShowNotice(const std::string& title, const std::string& text) {
    FTray->ShowBalloon(title, text);
}

void TWin32Platform::HideNotice() {
    if (FTray->HideBalloon()) {
        AwaitUncoveredRepaint(); // the shell has taken it away: now off the screen too
    }
}

void TWin32Platform::ShellOpen(const std::string& fileName) {
    ShellExecuteW(nullptr, L"open", WideFromUtf8(fileName).c_str(), nullptr, L"", SW_SHOWNORMAL);
}

LRESULT CALLBACK TWin32Platform::MainWindowProc(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0); // nothing reaches us after the window
    }
    auto* self = reinterpret_cast<TWin32Platform*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return self->HandleMessage(window, message, wParam, lParam);
    } catch (...) {
        ReportCallbackError(); // nothing leaves a window procedure: painting, rendering, handlers
        return 0;
    }
}

LRESULT TWin32Platform::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (FTray && FTray->HandleShellRestart(message)) {
        return 0;
    }
    if (FHandler) {
        if (message >= WM_MOUSEFIRST && message <= WM_MBUTTONUP) {
            // The program sees screen positions: the overlay starts where the virtual screen
            // does, left of or above the primary monitor's origin when a monitor lies there.
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ClientToScreen(window, &at);
            lParam = MAKELPARAM(static_cast<std::int16_t>(at.x), static_cast<std::int16_t>(at.y));
        }
        TMessage translated{message, wParam, static_cast<std::int64_t>(lParam), 0};
        if (FHandler->WndProc(translated)) {
            return static_cast<LRESULT>(translated.Result);
        }
    }
    if (FClipboard && FClipboard->HandleMessage(message, wParam)) {
        return 0;
    }
    switch (message) {
    case WM_CLOSE:
        return 0; // closing is the program's decision, never the default destroy
    case WM_PAINT:
        if (FOverlay) {
            FOverlay->Paint();
            return 0;
        }
        break;
    case WM_CTLCOLOREDIT: {
        LRESULT brush = 0;
        if (FTextEntry && FTextEntry->Colours(reinterpret_cast<HWND>(lParam),
                                              reinterpret_cast<HDC>(wParam), brush)) {
            return brush;
        }
        break;
    }
    case WM_ERASEBKGND:
        return 1; // the snapshot covers everything
    case WM_DPICHANGED:
        return 0; // the overlay spans monitors of any scaling at its size in physical pixels
    case WM_WTSSESSION_CHANGE:
        // Windows keeps a low-level hook across a lock, but drops one it found slow to answer
        // at any time: after an unlock the watcher starts anew, so it is surely in place.
        if (wParam == WTS_SESSION_UNLOCK && FKeyWatcher && FKeyWatcher->Running()) {
            FKeyWatcher->Restart();
        }
        return 0;
    case WM_SETCURSOR:
        if (FCrossCursor && LOWORD(lParam) == HTCLIENT) {
            SetCursor(LoadCursorW(nullptr, IDC_CROSS));
            return TRUE;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
