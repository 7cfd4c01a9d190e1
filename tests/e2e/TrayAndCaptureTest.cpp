// The tray, PrintScreen and the capture command: start-up, the questions on the way to a
// file, and the ways out.

#include "Driver.h"
#include "Tests.h"

#include <algorithm>
#include <cstdio>

void StartupShowsOnlyTheTrayIcon() {
    // Temporaries a killed Quorlan left (its process is gone) in both folders, one hidden,
    // one already shown, as a kill before and after the move's last step leaves them, and one
    // named as earlier releases named them.
    const std::wstring leftovers[] = {gAppFolder + L"\\~qrl4000000-000000000badc0de-0.tmp",
                                      Pic(L"~qrl4000000-000000000badc0de-1.tmp"),
                                      Pic(L"~qrl4000000-2.tmp")};
    for (const std::wstring& leftover : leftovers) {
        WriteFileBytes(leftover, "half a file");
    }
    SetFileAttributesW(leftovers[0].c_str(), FILE_ATTRIBUTE_HIDDEN);
    // The user's files that only look like ours.
    const std::wstring usersOwn[] = {Pic(L"~qrlx.tmp"), Pic(L"~qrlnotes-1.tmp"),
                                     Pic(L"~qrl-draft.tmp"), Pic(L"~qrl4000000-0badc0de-1.tmp")};
    for (const std::wstring& file : usersOwn) {
        WriteFileBytes(file, "not ours");
    }
    TApp app;
    Check(Start(app, gDefaultIni), "Quorlan started and its window \"Quorshot\" exists");
    Check(WaitFor([&] {
              return !Exists(leftovers[0]) && !Exists(leftovers[1]) && !Exists(leftovers[2]);
          }),
          "the leftovers of a killed save are gone at start-up");
    for (const std::wstring& file : usersOwn) {
        Check(Exists(file), "a file not named as ours stays: " + Utf8(file));
        DeleteFileW(file.c_str());
    }
    Check(!IsWindowVisible(app.Main), "the main window is hidden");
    Pump(500);
    Check(!VisibleWindowOf(app.Process.dwProcessId), "no window of Quorlan is visible");
    Check(WaitFor([] {
              HWND tray = WineTray();
              return tray && IsWindowVisible(tray);
          }),
          "the tray shows an icon");
    Stop(app);
}

void DoubleClickWithoutARegionExplains() {
    TApp app;
    Check(Start(app, gDefaultIni), "started");
    PostMessageW(app.Main, kTrayNotify, 1, WM_LBUTTONDBLCLK);
    HWND box = WaitForBox(L"エラー");
    Check(box != nullptr, "the missing-region box appears");
    if (box) {
        const std::wstring text = TextOf(GetDlgItem(box, 100));
        Check(text == L"先に矩形範囲を選択してください。\r\nメニューの[矩形範囲選択]"
                      L"をクリックし、スクリーン上の切り取る場所をマウスでドラッグして選択します。",
              "its two lines: " + Utf8(text));
        Check(TextOf(GetDlgItem(box, IDOK)) == L"OK", "it has an OK button");
        Check(GetDlgItem(box, IDCANCEL) == nullptr, "and no other");
        Check(Press(box, IDOK), "OK closes it");
    }
    Stop(app);
}

void PrintScreenSavesTheWholeScreen() {
    TApp app;
    TPatternWindow pattern;
    StartOverThePattern(app, pattern, gDefaultIni);
    const int width = pattern.Width, height = pattern.Height;
    PrintScreen(false);
    std::string bytes;
    Check(ReadWhenThere(Pic(L"0001.bmp"), bytes), "PrintScreen writes 0001.bmp");
    const TBmpInfo info = BmpInfo(bytes);
    Check(info.Ok && info.Bits == 24 && info.Width == width && info.Height == height,
          "a 24-bit file of the whole screen");
    if (info.Ok && info.Width == width && info.Height == height) {
        const int wrong = CountPatternMismatches(bytes, width, height, 0);
        Check(wrong == 0,
              "its pixels are the pattern on the screen (" + std::to_string(wrong) + " differ)");
    }

    // Alt+PrintScreen: the window in front, frame and all.
    TPatternWindow front;
    ShowPattern(front, 100, 80, 320, 200, 50);
    PrintScreen(true);
    Check(ReadWhenThere(Pic(L"0002.bmp"), bytes), "Alt+PrintScreen writes 0002.bmp");
    const TBmpInfo window = BmpInfo(bytes);
    Check(window.Ok && window.Width == 320 && window.Height == 200,
          "of the foreground window's rectangle (" + std::to_string(window.Width) + " x " +
              std::to_string(window.Height) + ")");
    if (window.Ok && window.Width == 320 && window.Height == 200) {
        Check(CountPatternMismatches(bytes, 320, 200, 50) == 0, "with the window's pixels");
    }
    ClosePattern(front);
    ClosePattern(pattern);
    Stop(app);
}

void TheOverwriteQuestion() {
    ClearPictures();
    // A temporary of a process that runs and started before it was made (this driver) is
    // still being written: neither the start-up sweep nor a save takes it.
    const std::wstring running =
        Pic(L"~qrl" + std::to_wstring(GetCurrentProcessId()) + L"-000000000badc0de-0.tmp");
    WriteFileBytes(running, "partial");
    TApp app;
    Check(Start(app, gDefaultIni), "started");
    WriteFileBytes(Pic(L"0001.bmp"), "old bytes");
    PostMessageW(app.Main, kCaptureNow, 0, 0);
    HWND box = WaitForBox(L"警告");
    Check(box != nullptr, "the overwrite question appears");
    if (box) {
        Check(TextOf(GetDlgItem(box, IDYES)) == L"はい(&Y)" &&
                  TextOf(GetDlgItem(box, IDNO)) == L"いいえ(&N)",
              "with Yes and No");
        Check(Press(box, IDNO), "No closes it");
    }
    Pump(500);
    std::string bytes;
    ReadFileBytes(Pic(L"0001.bmp"), bytes);
    Check(bytes == "old bytes", "No keeps the old file");
    PostMessageW(app.Main, kCaptureNow, 0, 0);
    box = WaitForBox(L"警告");
    Check(box && Press(box, IDYES), "asked again, Yes");
    Check(WaitFor([&] { return ReadFileBytes(Pic(L"0001.bmp"), bytes) && bytes.empty(); }),
          "Yes replaces it (an empty region leaves an empty file)");
    Check(Exists(running), "the temporary of a Quorlan that still runs stays");
    DeleteFileW(running.c_str());
    Stop(app);
}

void APrintScreenDuringAQuestionWaitsForIt() {
    ClearPictures();
    TApp app;
    Check(Start(app, gDefaultIni), "started");
    TPatternWindow pattern;
    ShowPattern(pattern, 40, 30, 200, 120, 7); // in front, away from the centred box
    WriteFileBytes(Pic(L"0001.bmp"), "old bytes");
    PrintScreen(true); // the window in front becomes the region
    HWND box = WaitForBox(L"警告");
    Check(box != nullptr, "the overwrite question of 0001 appears");
    PrintScreen(false); // a second capture, asked for while the first one asks
    Pump(1000);
    Check(CountVisible(L"警告") == 1, "one question at a time");
    Check(!Exists(Pic(L"0002.bmp")), "nothing is saved while the question is open");
    Check(box && Press(box, IDYES), "Yes");
    for (const wchar_t* name : {L"0001.bmp", L"0002.bmp"}) {
        Check(CapturedExactly(name, 40, 30, 200, 120,
                              [](int x, int y) { return PatternColour(x - 40 + 7, y - 30); }),
              Utf8(name) + " holds the window, as each key found it");
    }
    Pump(500);
    Check(CountVisible(L"警告") == 0 && !Exists(Pic(L"0003.bmp")), "and nothing more");
    ClosePattern(pattern);
    Stop(app);
}

void TheDigitOverflowQuestion() {
    ClearPictures();
    TApp app;
    Check(Start(app, IniWith("Digit=1\r\nIsUpdate=0\r\n")), "started");
    for (int i = 1; i <= 9; ++i) {
        PostMessageW(app.Main, kCaptureNow, 0, 0);
    }
    Check(WaitFor([] { return Exists(Pic(L"9.bmp")); }), "nine captures numbered 1 to 9");
    PostMessageW(app.Main, kCaptureNow, 0, 0);
    HWND box = WaitForBox(L"警告");
    Check(box != nullptr, "the tenth asks to widen the number");
    if (box) {
        Check(TextOf(GetDlgItem(box, IDOK)) == L"OK" &&
                  TextOf(GetDlgItem(box, IDCANCEL)) == L"キャンセル",
              "with OK and Cancel");
        Check(Press(box, IDCANCEL), "Cancel closes it");
    }
    Pump(500);
    Check(!Exists(Pic(L"10.bmp")), "Cancel writes nothing");
    WriteFileBytes(Pic(L"9.bmp"), "old");
    PostMessageW(app.Main, kCaptureNow, 0, 0); // steps back: number 9 again
    std::string bytes;
    Check(WaitFor([&] { return ReadFileBytes(Pic(L"9.bmp"), bytes) && bytes.empty(); }),
          "Cancel stepped back to 9");
    PostMessageW(app.Main, kCaptureNow, 0, 0);
    box = WaitForBox(L"警告");
    Check(box && Press(box, IDOK), "asked again, OK");
    Check(WaitFor([] { return Exists(Pic(L"10.bmp")); }), "OK widens: 10.bmp");
    Stop(app);
}

void ExitThroughTheMenu() {
    TApp app;
    Check(Start(app, gDefaultIni), "started");
    std::string before;
    ReadFileBytes(gAppFolder + L"\\Quorlan.ini", before);
    SetForegroundWindow(app.Main);
    PostMessageW(app.Main, kTrayNotify, 1, WM_RBUTTONDOWN);
    Check(WaitFor([] {
              HWND menu = FindWindowW(L"#32768", nullptr);
              return menu && IsWindowVisible(menu);
          }),
          "the right button opens the menu");
    Pump(300);
    Key(VK_UP, false); // from the top, up wraps to the last item: 終了
    Key(VK_UP, true);
    Key(VK_RETURN, false);
    Key(VK_RETURN, true);
    bool shown = false;
    Check(WaitFor([&] {
              shown = shown || VisibleWindowOf(app.Process.dwProcessId);
              return WaitForSingleObject(app.Process.hProcess, 0) == WAIT_OBJECT_0;
          }),
          "the exit item ends the process");
    Check(!shown, "no window of Quorlan shows on the way out");
    std::string after;
    ReadFileBytes(gAppFolder + L"\\Quorlan.ini", after);
    Check(after == before, "the settings file is left as it was");
    Check(WaitFor([] {
              HWND tray = WineTray();
              return !tray || !IsWindowVisible(tray);
          }),
          "the tray icon is gone");
    Stop(app);
}

void ACloseRequestEndsTheProgram() {
    TApp app;
    Check(Start(app, gDefaultIni), "started");
    PostMessageW(app.Main, WM_CLOSE, 0, 0);
    bool shown = false;
    Check(WaitFor([&] {
              shown = shown || VisibleWindowOf(app.Process.dwProcessId);
              return WaitForSingleObject(app.Process.hProcess, 0) == WAIT_OBJECT_0;
          }),
          "WM_CLOSE ends the process");
    Check(!shown, "and no window of Quorlan shows on the way out");
    Stop(app);
}

void ADelayCountsDownBeforeTheCopy() {
    ClearPictures();
    TApp app;
    Check(Start(app, IniWith("Delay=3\r\nIsUpdate=0\r\n")), "started with a delay of 3 s");
    std::vector<double> late;
    for (int run = 1; run <= 3; ++run) {
        wchar_t name[16];
        std::swprintf(name, 16, L"%04d.bmp", run);
        const DWORD pressed = GetTickCount();
        PrintScreen(false); // the whole screen (no region chosen), once the delay is over
        Pump(1000);
        TPatternWindow pattern; // shown a second after the key
        ShowPattern(pattern, 40, 30, 200, 120, run);
        Check(!Exists(Pic(name)), "nothing is saved during the countdown");
        Check(WaitFor([&] { return Exists(Pic(name)); }, 8000), "the file comes after the delay");
        const DWORD took = GetTickCount() - pressed;
        late.push_back(double(took) - 3000);
        Check(took >= 3000, "no earlier than 3 s (" + std::to_string(took) + " ms)");
        std::string bytes;
        Pump(300);
        ReadFileBytes(Pic(name), bytes);
        int wrong = BmpInfo(bytes).Ok ? 0 : -1;
        for (int y = 30; wrong >= 0 && y < 150; ++y) {
            for (int x = 40; x < 240; ++x) {
                wrong += BmpPixel(bytes, x, y) != PatternColour(x - 40 + run, y - 30);
            }
        }
        Check(wrong == 0, "the window shown during the countdown is in it");
        ClosePattern(pattern);
    }
    std::sort(late.begin(), late.end());
    std::printf("    the file came %.0f ms after the delay (median of 3; %.0f to %.0f)\n", late[1],
                late[0], late[2]);

    // A click on the counting icon cancels.
    PrintScreen(false);
    Pump(1000);
    HWND tray = WineTray();
    HWND icon = tray ? FindWindowExW(tray, nullptr, nullptr, nullptr) : nullptr;
    Check(icon != nullptr, "the icon in the tray");
    if (icon) {
        Click(icon);
    }
    Pump(4000);
    Check(!Exists(Pic(L"0004.bmp")), "a click on the icon cancels the countdown");

    // So does a double-click, which the shell tells as a press and a double-click: the press
    // cancels, and the double-click that ends it starts no new countdown.
    PrintScreen(false);
    Pump(1000);
    if (icon) {
        DoubleClick(icon);
    }
    Pump(4000);
    Check(!Exists(Pic(L"0004.bmp")), "a double-click on the icon cancels it and starts nothing");
    Stop(app);
}
