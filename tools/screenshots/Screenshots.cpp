// Pictures of Quorlan for the README, taken from the real exe under Wine: the tray menu, the
// options dialog and its keys dialog, the overlay with a selection being drawn, the notice
// after a capture, the countdown of a delayed one, and text being chosen to be read.
//
// Usage: QuorlanScreens.exe <folder holding Quorlan.exe> <empty work folder> <picture folder>

#include "Screens.h"

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::printf("usage: QuorlanScreens.exe <folder of Quorlan.exe> <work folder> <out>\n");
        return 2;
    }
    SetUpDriver(argv[1], argv[2]);
    gOut = argv[3];
    HWND desktop = ShowDesktop();
    TApp app;
    if (!Start(app, IniWith("CopyToClipboard=1\r\nNotifySaved=1\r\n"))) {
        std::printf("Quorlan did not start\n");
        return 1;
    }
    int failures = 0;

    // The tray menu, opened where the pointer is.
    Raise(desktop);
    MouseTo(GetSystemMetrics(SM_CXSCREEN) * 3 / 4, GetSystemMetrics(SM_CYSCREEN) / 2);
    PostMessageW(app.Main, kTrayNotify, 1, WM_RBUTTONDOWN);
    HWND menu = nullptr;
    WaitFor([&] {
        menu = FindWindowW(L"#32768", nullptr);
        return menu && IsWindowVisible(menu);
    });
    Pump(300);
    failures += !(menu && SaveScreenPart(L"tray-menu.png", WindowRect(menu), 24));
    Press(VK_ESCAPE);
    Pump(300);

    // The options dialog with every switch.
    HWND dialog = OpenOptions(app);
    Pump(300);
    failures += !(dialog && SaveScreenPart(L"options.png", WindowRect(dialog)));
    // The keys dialog over it.
    HWND keys = nullptr;
    if (dialog) {
        Click(GetDlgItem(dialog, kKeysButtonId));
        WaitFor([&] {
            keys = FindWindowW(kDialogClass, L"キーの割り当て");
            return keys && IsWindowVisible(keys);
        });
        Pump(300);
    }
    failures += !(keys && SaveScreenPart(L"keys.png", WindowRect(keys)));
    if (keys) {
        Press(VK_ESCAPE);
        Pump(300);
    }
    if (dialog) {
        Press(VK_ESCAPE);
    }
    Pump(300);

    // The overlay before a press: the window under the pointer outlined, the magnifier and the
    // readout beside the pointer.
    Raise(desktop);
    if (OpenOverlay(app)) {
        const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
        MouseTo(w / 6 + 150, h / 8 + 85);
        failures += !SaveScreenPart(L"overlay-pick.png", {0, 0, w, h}, 0);
        Press(VK_ESCAPE);
        Pump(500);
    } else {
        ++failures;
    }

    // The overlay with a selection being drawn.
    Raise(desktop);
    if (OpenOverlay(app)) {
        const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
        MouseTo(w / 6 + 20, h / 8 + 40);
        LeftButton(false);
        MouseTo(w / 2, h / 2);
        MouseTo(w / 2 + 40, h / 2 + 30);
        failures += !SaveScreenPart(L"overlay.png", {0, 0, w, h}, 0);
        LeftButton(true); // captures the selection
        Pump(1000);
    } else {
        ++failures;
    }

    // The notice the capture brought.
    HWND balloon = nullptr;
    WaitFor(
        [&] {
            for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"tooltips_class32", nullptr));) {
                if (IsWindowVisible(w) && TextOf(w).find(L".bmp") != std::wstring::npos) {
                    balloon = w;
                    return true;
                }
            }
            return false;
        },
        5000);
    if (balloon) {
        Pump(300);
        HWND tray = WineTray();
        const RECT area = tray ? Union(WindowRect(balloon), WindowRect(tray)) : WindowRect(balloon);
        failures += !SaveScreenPart(L"notice.png", area);
    } else {
        std::printf("  notice.png: Wine showed no balloon\n");
        ++failures;
    }

    Stop(app);

    failures += TakeMarksAndPin(desktop);

    // The countdown of a delayed capture, in the tray icon and its tip.
    Raise(desktop);
    TApp delayed;
    if (Start(delayed, IniWith("Delay=10\r\n"))) {
        Pump(500);
        PrintScreen(false);
        Pump(1500);
        HWND tray = WineTray();
        HWND icon = tray ? FindWindowExW(tray, nullptr, nullptr, nullptr) : nullptr;
        if (icon) {
            MouseTo(CentreOf(icon).x, CentreOf(icon).y); // its tip shows the seconds left
            Pump(1500);
            RECT area = WindowRect(tray);
            for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"tooltips_class32", nullptr));) {
                if (IsWindowVisible(w)) {
                    area = Union(area, WindowRect(w));
                }
            }
            failures += !SaveScreenPart(L"countdown.png", area);
            LeftButton(false); // a click cancels it
            LeftButton(true);
        } else {
            ++failures;
        }
        Stop(delayed);
    } else {
        ++failures;
    }
    failures += TakeScrolling(desktop);
    failures += TakeText(desktop);
    DestroyWindow(desktop);
    return failures == 0 ? 0 : 1;
}
