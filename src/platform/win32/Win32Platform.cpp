#include "platform/win32/Win32Platform.h"

#include "platform/win32/Artwork.h"
#include "platform/win32/MessageBoxDialog.h"
#include "platform/win32/ModalDialog.h"
#include "platform/win32/OptionsDialog.h"
#include "platform/win32/ScreenGrab.h"
#include "platform/win32/ShellFolders.h"
#include "platform/win32/WideText.h"

#include "base/Errors.h"
#include "base/Texts.h"
#include "platform/BoxModel.h"
#include "platform/Messages.h"

#include <shellapi.h>

#include <cwchar>

namespace {

constexpr wchar_t kMainClass[] = L"QuorlanMain";
constexpr UINT kTrayIconId = 1;

enum : UINT { kIdPosition = 1, kIdCapture, kIdOption, kIdExit };

TMenuCommand CommandFor(UINT id) {
    switch (id) {
    case kIdPosition:
        return TMenuCommand::Position;
    case kIdCapture:
        return TMenuCommand::Capture;
    case kIdOption:
        return TMenuCommand::Option;
    case kIdExit:
        return TMenuCommand::Exit;
    default:
        return TMenuCommand::None;
    }
}

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
    FMainWindow.Reset(CreateWindowExW(WS_EX_TOOLWINDOW, kMainClass,
                                      WideFromUtf8(Text(TText::MainCaption)).c_str(), WS_POPUP, 0,
                                      0, 0, 0, nullptr, nullptr, instance, this));
    if (!FMainWindow) {
        throw EOutOfResources(Text(TText::OutOfSystemResources));
    }
    FTaskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    // The whole screen's section, ready for the first capture.
    FGrabber.Prepare(GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
    FTrayIcon.Reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                  GetSystemMetrics(SM_CXSMICON),
                                                  GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
    BuildMenu();
}

TWin32Platform::~TWin32Platform() {
    FKeyWatcher.reset();
    if (FTrayAdded) {
        NotifyIcon(NIM_DELETE);
    }
}

void TWin32Platform::BuildMenu() {
    FMenu.Reset(CreatePopupMenu());
    struct TItem {
        UINT Id;
        TText Caption;
        int Image;
    } items[] = {{kIdPosition, TText::MenuPosition, 0},
                 {kIdCapture, TText::MenuCapture, 1},
                 {kIdOption, TText::MenuOption, 2},
                 {0, TText::Count, -1},
                 {kIdExit, TText::MenuExit, 3}};
    UINT position = 0;
    for (const TItem& item : items) {
        if (item.Id == 0) {
            AppendMenuW(FMenu.Get(), MF_SEPARATOR, 0, nullptr);
            ++position;
            continue;
        }
        FMenuImages[item.Image] = CreateMenuImage(item.Image);
        const std::wstring caption = WideFromUtf8(Text(item.Caption));
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STRING | MIIM_BITMAP;
        info.wID = item.Id;
        info.dwTypeData = const_cast<wchar_t*>(caption.c_str());
        info.hbmpItem = FMenuImages[item.Image].Get();
        InsertMenuItemW(FMenu.Get(), position++, TRUE, &info);
    }
    SetMenuDefaultItem(FMenu.Get(), kIdCapture, FALSE); // drawn in bold
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

bool TWin32Platform::NotifyIcon(DWORD action) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = FMainWindow.Get();
    data.uID = kTrayIconId;
    if (action == NIM_ADD) {
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = WM_TRAYNOTIFY;
        data.hIcon = FTrayIcon.Get();
        const std::wstring tip = WideFromUtf8(Text(TText::AppTitle));
        wcsncpy(data.szTip, tip.c_str(), sizeof data.szTip / sizeof data.szTip[0] - 1);
    }
    return Shell_NotifyIconW(action, &data) != FALSE;
}

void TWin32Platform::AddTrayIcon() {
    NotifyIcon(NIM_ADD);
    FTrayAdded = true;
}

void TWin32Platform::DeleteTrayIcon() {
    NotifyIcon(NIM_DELETE);
    FTrayAdded = false;
}

void TWin32Platform::HideMainWindow() {
    ShowWindow(FMainWindow.Get(), SW_HIDE);
}

void TWin32Platform::ShowMainWindow(TWindowState state) {
    if (state == TWindowState::Maximized) {
        // Over the whole primary screen, borderless and above other windows, so that client
        // positions are screen positions and the snapshot lies on the pixels it came from.
        SetWindowPos(FMainWindow.Get(), HWND_TOPMOST, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                     GetSystemMetrics(SM_CYSCREEN), SWP_SHOWWINDOW | SWP_FRAMECHANGED);
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
    POINT pointer{};
    GetCursorPos(&pointer);
    // Without being the foreground window, the menu would not close when the user clicks
    // elsewhere.
    SetForegroundWindow(FMainWindow.Get());
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(FMenu.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, pointer.x,
                       pointer.y, 0, FMainWindow.Get(), nullptr));
    // Lets the menu's own message loop finish before another menu can open.
    PostMessageW(FMainWindow.Get(), WM_NULL, 0, 0);
    return CommandFor(chosen);
}

void TWin32Platform::SetPositionItemCaption(const std::string& caption) {
    const std::wstring wide = WideFromUtf8(caption);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(wide.c_str());
    SetMenuItemInfoW(FMenu.Get(), kIdPosition, FALSE, &info);
}

void TWin32Platform::Quit() {
    PostQuitMessage(0);
}

void TWin32Platform::SetOverlayPicture(std::shared_ptr<const TScreenPixels> picture) {
    FOverlayPicture = std::move(picture);
    InvalidateRect(FMainWindow.Get(), nullptr, FALSE);
}

void TWin32Platform::SetCrossCursor(bool cross) {
    FCrossCursor = cross;
    SetCursor(LoadCursorW(nullptr, cross ? IDC_CROSS : IDC_ARROW));
}

void TWin32Platform::DrawXorRectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                      std::int32_t y2) {
    TWindowDc dc(FMainWindow.Get());
    if (!dc) {
        return;
    }
    TPenHandle pen(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
    TSelection penSelected(dc.Get(), pen.Get());
    TSelection brushSelected(dc.Get(), GetStockObject(NULL_BRUSH));
    const int oldMix = SetROP2(dc.Get(), R2_XORPEN);
    Rectangle(dc.Get(), x1, y1, x2, y2);
    SetROP2(dc.Get(), oldMix);
    GdiFlush(); // on the screen now: a capture right after must not see an older band
}

void TWin32Platform::SetPointerCapture(bool captured) {
    if (captured) {
        SetCapture(FMainWindow.Get());
    } else if (GetCapture() == FMainWindow.Get()) {
        ReleaseCapture();
    }
}

void TWin32Platform::PaintOverlay(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (FOverlayPicture) {
        const TPixels32View view = FOverlayPicture->View();
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = static_cast<LONG>(view.Stride / 4);
        info.bmiHeader.biHeight = -view.Height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        SetDIBitsToDevice(dc, FOverlayPicture->OffsetX, FOverlayPicture->OffsetY,
                          static_cast<DWORD>(view.Width), static_cast<DWORD>(view.Height), 0, 0, 0,
                          static_cast<UINT>(view.Height), view.Data, &info, DIB_RGB_COLORS);
    }
    EndPaint(window, &paint);
}

void TWin32Platform::RunMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

int TWin32Platform::RunOptionsDialog(TOptionForm& form) {
    FOpenOptions = &form;
    const int result = ::RunOptionsDialog(form);
    FOpenOptions = nullptr;
    return result;
}

void TWin32Platform::FocusOptionsDialog() {
    ::FocusOptionsDialog();
}

void TWin32Platform::RefreshOptionsDialog() {
    if (FOpenOptions) {
        ::RefreshOptionsDialog(*FOpenOptions);
    }
}

bool TWin32Platform::InstallKeyWatcher() {
    if (!FKeyWatcher) {
        FKeyWatcher = std::make_unique<TKeyWatcherThread>(FMainWindow.Get());
    }
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

void TWin32Platform::ShellOpen(const std::string& fileName) {
    ShellExecuteW(nullptr, L"open", WideFromUtf8(fileName).c_str(), nullptr, L"", SW_SHOWNORMAL);
}

LRESULT CALLBACK TWin32Platform::MainWindowProc(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TWin32Platform*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->HandleMessage(window, message, wParam, lParam);
}

LRESULT TWin32Platform::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == FTaskbarCreated && FTaskbarCreated != 0) {
        // The shell restarted and forgot our icon.
        if (FTrayAdded) {
            try {
                NotifyIcon(NIM_ADD);
            } catch (...) {
                // The icon stays away until the next restart of the shell; nothing to report.
            }
        }
        return 0;
    }
    if (FHandler) {
        TMessage translated{message, wParam, static_cast<std::int64_t>(lParam), 0};
        try {
            if (FHandler->WndProc(translated)) {
                return static_cast<LRESULT>(translated.Result);
            }
        } catch (...) {
            FHandler->HandleException(); // nothing leaves a window procedure
            return 0;
        }
    }
    switch (message) {
    case WM_CLOSE:
        return 0; // closing is the program's decision, never the default destroy
    case WM_PAINT:
        PaintOverlay(window);
        return 0;
    case WM_ERASEBKGND:
        return 1; // the snapshot covers everything
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
