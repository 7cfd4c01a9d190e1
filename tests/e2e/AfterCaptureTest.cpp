// What follows a saved capture: the clipboard, the notice; and one Quorlan at a time.

#include "Driver.h"
#include "Tests.h"

#include <cstring>

namespace {

int CountMainWindows() {
    int count = 0;
    for (HWND window = nullptr;
         (window = FindWindowExW(nullptr, window, L"QuorlanMain", nullptr));) {
        ++count;
    }
    return count;
}

} // namespace

void TheClipboardAndTheNotice() {
    ClearPictures();
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    TPatternWindow pattern;
    ShowPattern(pattern, 0, 0, width, height, 0);
    TApp app;
    Check(Start(app, IniWith("CopyToClipboard=1\r\nNotifySaved=1\r\n")), "started");
    SetWindowPos(pattern.Window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(pattern.Window);
    Pump(200);
    PrintScreen(false);
    std::string file;
    Check(ReadWhenThere(Pic(L"0001.bmp"), file), "the capture is saved");
    Pump(500);

    const std::string dib = ClipboardBytes(CF_DIB);
    const TBmpInfo info = BmpInfo(AsBmpFile(dib));
    Check(info.Ok && info.Bits == 24 && info.Width == width && info.Height == height,
          "a 24-bit DIB of the capture on the clipboard");
    Check(info.Ok && CountPatternMismatches(AsBmpFile(dib), width, height, 0) == 0,
          "the DIB holds the capture's pixels exactly");
    const std::string png = ClipboardBytes(RegisterClipboardFormatW(L"PNG"));
    WriteFileBytes(Pic(L"clipboard.png"), png);
    UINT pngWidth = 0, pngHeight = 0;
    const std::vector<std::uint32_t> pixels = ReadPng(Pic(L"clipboard.png"), pngWidth, pngHeight);
    int mismatches = pixels.empty() ? 1 : 0;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        mismatches += pixels[i] != PatternColour(int(i % width), int(i / width));
    }
    Check(pngWidth == UINT(width) && pngHeight == UINT(height) && mismatches == 0,
          "so does the PNG beside it");

    // The notice: Wine shows the balloon as a tool tip of its notification area.
    HWND balloon = nullptr;
    const bool shown = WaitFor(
        [&] {
            for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"tooltips_class32", nullptr));) {
                if (IsWindowVisible(w) && TextOf(w).find(L"0001.bmp") != std::wstring::npos) {
                    balloon = w;
                    return true;
                }
            }
            return false;
        },
        5000);
    Check(shown, "a balloon from the tray icon names the file");
    // Wine's balloon takes no click: the click's notice is sent as the shell sends it.
    PostMessageW(app.Main, kTrayNotify, 1, WM_USER + 5); // NIN_BALLOONUSERCLICK
    HWND folder = nullptr;
    Check(WaitFor([&] {
              folder = FindWindowW(L"ExplorerWClass", nullptr);
              return folder && IsWindowVisible(folder);
          }),
          "its click opens the folder in the file manager");
    if (folder) {
        PostMessageW(folder, WM_CLOSE, 0, 0);
    }
    Stop(app);
    ClosePattern(pattern);

    // Gone with Quorlan, the picture stays pasteable.
    Check(ClipboardBytes(CF_DIB) == dib, "the clipboard keeps the picture after Quorlan ends");
}

void OneQuorlanAtATime() {
    ClearPictures();
    TApp first;
    Check(Start(first, gDefaultIni), "the first Quorlan started");
    const std::string settings = Settings();
    TApp second;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring command = L"\"" + gAppFolder + L"\\Quorlan.exe\"";
    Check(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                         gPictures.c_str(), &startup, &second.Process) != FALSE,
          "a second one starts");
    HWND box = WaitForBox(L"警告");
    Check(box && TextOf(GetDlgItem(box, 100)) == L"Quorlan はすでに起動しています。",
          "and says that Quorlan already runs");
    Check(CountMainWindows() == 1, "one main window only");
    Check(box && Press(box, IDOK) && Exited(second), "OK ends it");
    Check(Settings() == settings, "having written nothing");
    PrintScreen(false);
    std::string bytes;
    Check(ReadWhenThere(Pic(L"0001.bmp"), bytes), "PrintScreen still saves");
    Pump(1000);
    Check(!Exists(Pic(L"0002.bmp")), "one file for one PrintScreen");
    CloseHandle(second.Process.hProcess);
    CloseHandle(second.Process.hThread);
    Stop(first);
}
