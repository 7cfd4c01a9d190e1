// End-to-end tests of Quorlan.exe, run under Wine on a virtual display: this driver starts
// the real program, talks to it through its windows and messages, injects keys, and checks
// the files it writes.
//
// Usage: QuorlanE2E.exe <folder holding Quorlan.exe> <empty work folder> [test name part]

#include <windows.h>
#include <wincodec.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

constexpr UINT kTrayNotify = WM_USER + 100;
constexpr UINT kCaptureNow = WM_USER + 110;
constexpr wchar_t kDialogClass[] = L"#32770"; // the boxes and the options dialog

std::wstring gAppFolder;
std::wstring gPictures;
int gPassed = 0;
int gFailed = 0;
std::string gCurrent;
bool gCurrentFailed = false;

void Check(bool ok, const std::string& what) {
    if (!ok) {
        std::printf("    FAILED: %s\n", what.c_str());
        std::fflush(stdout);
        gCurrentFailed = true;
    }
}

std::string Cp932(const std::wstring& wide) {
    const int n = WideCharToMultiByte(932, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n - 1 : 0, '\0');
    WideCharToMultiByte(932, 0, wide.c_str(), -1, out.data(), n, nullptr, nullptr);
    return out;
}

std::string Utf8(const std::wstring& wide) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n - 1 : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, out.data(), n, nullptr, nullptr);
    return out;
}

// Runs this thread's messages (our own windows must paint) for a while.
void Pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    } while (GetTickCount() - start < milliseconds);
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeout = 10000) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeout) {
            return false;
        }
        Pump(20);
    }
    return true;
}

bool ReadFileBytes(const std::wstring& path, std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    bytes.clear();
    char buffer[65536];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        bytes.append(buffer, got);
    }
    CloseHandle(file);
    return true;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Waits until the file exists and no longer grows (the program publishes it in one move).
bool ReadWhenThere(const std::wstring& path, std::string& bytes) {
    return WaitFor([&] { return Exists(path); }) && ReadFileBytes(path, bytes);
}

std::wstring Pic(const std::wstring& name) {
    return gPictures + L"\\" + name;
}

// --- the pattern the tests put on the screen -------------------------------------------------

std::uint32_t PatternColour(int x, int y) {
    return (std::uint32_t((x * 7 + y) & 0xFF) << 16) | (std::uint32_t((y * 5) & 0xFF) << 8) |
           std::uint32_t((x ^ y) & 0xFF);
}

struct TPatternWindow {
    HWND Window = nullptr;
    int Left = 0, Top = 0, Width = 0, Height = 0;
    std::vector<std::uint32_t> Pixels;
};

LRESULT CALLBACK PatternProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        auto* pattern = reinterpret_cast<TPatternWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        if (pattern) {
            BITMAPINFO info{};
            info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
            info.bmiHeader.biWidth = pattern->Width;
            info.bmiHeader.biHeight = -pattern->Height;
            info.bmiHeader.biPlanes = 1;
            info.bmiHeader.biBitCount = 32;
            SetDIBitsToDevice(dc, 0, 0, pattern->Width, pattern->Height, 0, 0, 0, pattern->Height,
                              pattern->Pixels.data(), &info, DIB_RGB_COLORS);
        }
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A window showing the pattern (offset by `shift`) over that rectangle of the screen.
void ShowPattern(TPatternWindow& pattern, int left, int top, int width, int height, int shift) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSW cls{};
        cls.lpfnWndProc = PatternProc;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.lpszClassName = L"QuorlanE2EPattern";
        RegisterClassW(&cls);
        registered = true;
    }
    pattern.Left = left;
    pattern.Top = top;
    pattern.Width = width;
    pattern.Height = height;
    pattern.Pixels.resize(std::size_t(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pattern.Pixels[std::size_t(y) * width + x] = PatternColour(x + shift, y);
        }
    }
    pattern.Window =
        CreateWindowExW(WS_EX_TOPMOST, L"QuorlanE2EPattern", L"pattern", WS_POPUP, left, top, width,
                        height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(pattern.Window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&pattern));
    ShowWindow(pattern.Window, SW_SHOW);
    SetForegroundWindow(pattern.Window);
    UpdateWindow(pattern.Window);
    Pump(600);
}

void ClosePattern(TPatternWindow& pattern) {
    DestroyWindow(pattern.Window);
    pattern.Window = nullptr;
    Pump(200);
}

// --- BMP and JPEG files ------------------------------------------------------------------------

std::uint32_t U32(const std::string& b, std::size_t at) {
    return std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8 | std::uint8_t(b[at + 2]) << 16 |
           std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}
std::uint16_t U16(const std::string& b, std::size_t at) {
    return std::uint16_t(std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8);
}

struct TBmpInfo {
    bool Ok = false;
    int Width = 0, Height = 0, Bits = 0;
};

TBmpInfo BmpInfo(const std::string& b) {
    TBmpInfo info;
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M' || U32(b, 2) != b.size()) {
        return info;
    }
    info.Width = int(U32(b, 18));
    info.Height = int(U32(b, 22));
    info.Bits = U16(b, 28);
    info.Ok = true;
    return info;
}

// Pixel (x, y from the top) of a 24- or 32-bit file as red << 16 | green << 8 | blue.
std::uint32_t BmpPixel(const std::string& b, int x, int y) {
    const TBmpInfo info = BmpInfo(b);
    const std::size_t bytes = info.Bits / 8;
    const std::size_t stride = ((std::size_t(info.Width) * info.Bits + 31) / 32) * 4;
    const std::size_t at = U32(b, 10) + (std::size_t(info.Height) - 1 - y) * stride + x * bytes;
    return std::uint32_t(std::uint8_t(b[at + 2])) << 16 |
           std::uint32_t(std::uint8_t(b[at + 1])) << 8 | std::uint8_t(b[at]);
}

int CountPatternMismatches(const std::string& bmp, int width, int height, int shift) {
    int wrong = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            wrong += BmpPixel(bmp, x, y) != PatternColour(x + shift, y);
        }
    }
    return wrong;
}

// --- PNG files, read by the system's own imaging component --------------------------------

// The pixels of a PNG file as red << 16 | green << 8 | blue, rows from the top; empty when it
// cannot be read.
std::vector<std::uint32_t> ReadPng(const std::wstring& path, UINT& width, UINT& height) {
    std::vector<std::uint32_t> pixels;
    IWICImagingFactory* factory = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    GUID container{};
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(&factory))) &&
        SUCCEEDED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                     WICDecodeMetadataCacheOnDemand, &decoder)) &&
        SUCCEEDED(decoder->GetContainerFormat(&container)) &&
        container == GUID_ContainerFormatPng && SUCCEEDED(decoder->GetFrame(0, &frame)) &&
        SUCCEEDED(frame->GetSize(&width, &height)) &&
        SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
        SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone,
                                        nullptr, 0, WICBitmapPaletteTypeCustom))) {
        pixels.resize(std::size_t(width) * height);
        if (FAILED(converter->CopyPixels(nullptr, width * 4, UINT(pixels.size() * 4),
                                         reinterpret_cast<BYTE*>(pixels.data())))) {
            pixels.clear();
        }
        for (std::uint32_t& pixel : pixels) {
            pixel &= 0xFFFFFF;
        }
    }
    for (IUnknown* object : std::initializer_list<IUnknown*>{converter, frame, decoder, factory}) {
        if (object) {
            object->Release();
        }
    }
    return pixels;
}

// --- the program -------------------------------------------------------------------------------

struct TApp {
    PROCESS_INFORMATION Process{};
    HWND Main = nullptr;
};

std::string gDefaultIni;

std::string IniWith(const std::string& extraFileKeys, const std::string& imageKeys = "") {
    return "[File]\r\nPath=" + Cp932(gPictures) + "\\\r\n" + extraFileKeys + "[Image]\r\n" +
           imageKeys;
}

// Starts the Quorlan.exe of that folder, with another working folder.
bool Launch(TApp& app, const std::wstring& folder) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring command = L"\"" + folder + L"\\Quorlan.exe\"";
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        gPictures.c_str(), &startup, &app.Process)) {
        return false;
    }
    const bool found = WaitFor([&] {
        app.Main = FindWindowW(L"QuorlanMain", L"Quorshot");
        return app.Main != nullptr;
    });
    Pump(500); // the tray icon and the key watcher come right after the window
    return found;
}

bool Start(TApp& app, const std::string& ini) {
    WriteFileBytes(gAppFolder + L"\\Quorlan.ini", ini);
    return Launch(app, gAppFolder);
}

bool Exited(TApp& app, DWORD timeout = 10000) {
    return WaitFor([&] { return WaitForSingleObject(app.Process.hProcess, 0) == WAIT_OBJECT_0; },
                   timeout);
}

void Stop(TApp& app) {
    if (WaitForSingleObject(app.Process.hProcess, 0) != WAIT_OBJECT_0) {
        PostMessageW(app.Main, WM_CLOSE, 0, 0);
        if (!Exited(app)) {
            TerminateProcess(app.Process.hProcess, 1);
            WaitForSingleObject(app.Process.hProcess, 5000);
        }
    }
    CloseHandle(app.Process.hProcess);
    CloseHandle(app.Process.hThread);
    app = {};
}

HWND WaitForBox(const wchar_t* title) {
    HWND box = nullptr;
    WaitFor([&] {
        box = FindWindowW(kDialogClass, title);
        return box != nullptr && IsWindowVisible(box);
    });
    return box;
}

// A control's text, asked of the control itself (its owner may be another process).
std::wstring TextOf(HWND window) {
    wchar_t buffer[2048];
    const LRESULT n = SendMessageW(window, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(buffer));
    return std::wstring(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
}

// Presses the box's button with that result, as a click would.
bool Press(HWND box, int result) {
    HWND button = GetDlgItem(box, result);
    if (!button) {
        return false;
    }
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(result, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return WaitFor([&] { return !IsWindow(box); }, 5000);
}

void Key(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

void PrintScreen(bool withAlt) {
    if (withAlt) {
        Key(VK_MENU, false);
    }
    Key(VK_SNAPSHOT, false);
    Key(VK_SNAPSHOT, true);
    if (withAlt) {
        Key(VK_MENU, true);
    }
}

HWND WineTray() {
    return FindWindowW(nullptr, L"Wine System Tray");
}

bool VisibleWindowOf(DWORD processId) {
    struct TSearch {
        DWORD Id;
        bool Found;
    } search{processId, false};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<TSearch*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->Id && IsWindowVisible(window)) {
                s->Found = true;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

void ClearPictures() {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((gPictures + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            DeleteFileW(Pic(found.cFileName).c_str());
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// --- the tests ---------------------------------------------------------------------------------

void StartupShowsOnlyTheTrayIcon() {
    TApp app;
    Check(Start(app, gDefaultIni), "Quorlan started and its window \"Quorshot\" exists");
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
    ClearPictures();
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    TApp app;
    Check(Start(app, gDefaultIni), "started");
    TPatternWindow pattern;
    ShowPattern(pattern, 0, 0, width, height, 0);
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
    TApp app;
    Check(Start(app, gDefaultIni), "started");
    WriteFileBytes(Pic(L"0001.bmp"), "old bytes");
    // What saves killed half-way left: one of a process long gone, one of a running one.
    const std::wstring gone = Pic(L"~qrl4000000-0.tmp");
    const std::wstring running = Pic(L"~qrl" + std::to_wstring(GetCurrentProcessId()) + L"-0.tmp");
    WriteFileBytes(gone, "partial");
    WriteFileBytes(running, "partial");
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
    Check(!Exists(gone) && Exists(running),
          "the save removed the leftover of a Quorlan that no longer runs, and only that");
    DeleteFileW(running.c_str());
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

void EveryDepthAndJpeg() {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const int bits[] = {1, 16, 4, 24, 8, 32};
    TPatternWindow pattern;
    ShowPattern(pattern, 0, 0, width, height, 0);
    for (int imageBit = 0; imageBit <= 6; ++imageBit) {
        ClearPictures();
        const bool jpeg = imageBit == 6;
        TApp app;
        Check(Start(app,
                    IniWith("", jpeg ? "Type=1\r\n" : "Bit=" + std::to_string(imageBit) + "\r\n")),
              "started");
        // Wine's stand-in notification area may pop up over the pattern with the new icon.
        SetWindowPos(pattern.Window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(pattern.Window);
        Pump(200);
        PrintScreen(false);
        std::string bytes;
        const std::string name = "setting " + std::to_string(imageBit);
        if (jpeg) {
            Check(ReadWhenThere(Pic(L"0001.jpg"), bytes), "JPEG writes 0001.jpg");
            Pump(300);
            ReadFileBytes(Pic(L"0001.jpg"), bytes);
            const bool framed = bytes.size() > 200 &&
                                bytes.compare(0, 4, "\xFF\xD8\xFF\xE0") == 0 &&
                                bytes.compare(bytes.size() - 2, 2, "\xFF\xD9") == 0;
            Check(framed, "a JFIF file from SOI to EOI");
            const std::size_t sof = bytes.find("\xFF\xC0");
            Check(sof != std::string::npos &&
                      (std::uint8_t(bytes[sof + 5]) << 8 | std::uint8_t(bytes[sof + 6])) ==
                          height &&
                      (std::uint8_t(bytes[sof + 7]) << 8 | std::uint8_t(bytes[sof + 8])) == width,
                  "a baseline frame of the screen's size");
        } else {
            Check(ReadWhenThere(Pic(L"0001.bmp"), bytes), name + " writes 0001.bmp");
            Pump(300);
            ReadFileBytes(Pic(L"0001.bmp"), bytes);
            const TBmpInfo info = BmpInfo(bytes);
            Check(info.Ok && info.Bits == bits[imageBit] && info.Width == width,
                  name + ": a " + std::to_string(bits[imageBit]) + "-bit file");
            if (info.Ok && info.Bits >= 24) {
                Check(CountPatternMismatches(bytes, width, height, 0) == 0,
                      name + ": exact pixels");
            }
        }
        Stop(app);
    }
    ClosePattern(pattern);
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
    Check(Exited(app), "the exit item ends the process");
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
    Check(Exited(app), "WM_CLOSE ends the process");
    Stop(app);
}

void MouseTo(int x, int y) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
    Pump(150);
}

void LeftButton(bool up) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = up ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &input, sizeof input);
    Pump(150);
}

// What the screen shows now, as red << 16 | green << 8 | blue, rows from the top.
std::vector<std::uint32_t> ScreenShot() {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    std::vector<std::uint32_t> pixels(std::size_t(width) * height);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, section);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* source = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = source[i] & 0xFFFFFF;
    }
    SelectObject(memory, old);
    DeleteObject(section);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

bool OpenOverlay(TApp& app) {
    PostMessageW(app.Main, kTrayNotify, 1, WM_RBUTTONDOWN);
    if (!WaitFor([] {
            HWND menu = FindWindowW(L"#32768", nullptr);
            return menu && IsWindowVisible(menu);
        })) {
        return false;
    }
    Pump(300);
    Key(VK_DOWN, false); // the first item: 矩形範囲選択
    Key(VK_DOWN, true);
    Key(VK_RETURN, false);
    Key(VK_RETURN, true);
    const bool shown = WaitFor([&] { return IsWindowVisible(app.Main) != FALSE; });
    Pump(500);
    return shown;
}

void TheRegionOverlay() {
    ClearPictures();
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    TApp app;
    Check(Start(app, gDefaultIni), "started");
    TPatternWindow pattern;
    ShowPattern(pattern, 0, 0, width, height, 0);
    Check(OpenOverlay(app), "the first menu item shows the overlay");
    RECT rect{};
    GetWindowRect(app.Main, &rect);
    Check(rect.left == 0 && rect.top == 0 && rect.right == width && rect.bottom == height,
          "over the whole primary screen");

    // The screen behind changes; the overlay keeps showing the snapshot.
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pattern.Pixels[std::size_t(y) * width + x] = PatternColour(x + 30, y);
        }
    }
    InvalidateRect(pattern.Window, nullptr, FALSE);
    UpdateWindow(pattern.Window);
    Pump(300);

    MouseTo(500, 400);
    const std::vector<std::uint32_t> before = ScreenShot();
    Check(before[std::size_t(300) * width + 400] == PatternColour(400, 300),
          "the overlay shows the snapshot, not the live screen");
    LeftButton(false);
    MouseTo(300, 250);
    const std::vector<std::uint32_t> middle = ScreenShot();
    auto at = [&](const std::vector<std::uint32_t>& shot, int x, int y) {
        return shot[std::size_t(y) * width + x];
    };
    Check(at(middle, 300, 250) == (PatternColour(300, 250) ^ 0xFFFFFF) &&
              at(middle, 400, 250) == (PatternColour(400, 250) ^ 0xFFFFFF) &&
              at(middle, 499, 399) == (PatternColour(499, 399) ^ 0xFFFFFF),
          "mid-drag the band inverts the pixels under it");
    Check(at(middle, 400, 300) == PatternColour(400, 300), "inside the band the snapshot shows");
    MouseTo(500, 400); // back to the anchor: the band drawn again is gone
    const std::vector<std::uint32_t> again = ScreenShot();
    Check(again == before, "drawing the band twice leaves the screen as it was");
    MouseTo(100, 50);
    LeftButton(true);

    std::string bytes;
    Check(ReadWhenThere(Pic(L"0001.bmp"), bytes), "the release captures at once");
    Pump(300);
    ReadFileBytes(Pic(L"0001.bmp"), bytes);
    const TBmpInfo info = BmpInfo(bytes);
    Check(info.Ok && info.Width == 400 && info.Height == 350,
          "the normalised region (100,50)-(500,400)");
    if (info.Ok && info.Width == 400 && info.Height == 350) {
        int wrong = 0;
        std::string first;
        for (int y = 0; y < 350; ++y) {
            for (int x = 0; x < 400; ++x) {
                const bool differs = BmpPixel(bytes, x, y) != PatternColour(x + 100, y + 50);
                if (differs && first.empty()) {
                    char text[96];
                    std::snprintf(text, sizeof text, "first at %d,%d: %06X for %06X", x, y,
                                  BmpPixel(bytes, x, y), PatternColour(x + 100, y + 50));
                    first = text;
                }
                wrong += differs;
            }
        }
        if (wrong) {
            std::printf("    %s\n", first.c_str());
        }
        Check(wrong == 0, "with the snapshot's pixels and no trace of the band (" +
                              std::to_string(wrong) + " differ)");
    }
    Check(WaitFor([&] { return !IsWindowVisible(app.Main); }), "the overlay hides again");

    // While the overlay is up the tray still answers; Esc ends it without a capture.
    Check(OpenOverlay(app), "the overlay again");
    PostMessageW(app.Main, kTrayNotify, 1, WM_LBUTTONDBLCLK);
    Check(WaitFor([] { return Exists(Pic(L"0002.bmp")); }), "a double-click captures meanwhile");
    Key(VK_ESCAPE, false);
    Key(VK_ESCAPE, true);
    Check(WaitFor([&] { return !IsWindowVisible(app.Main); }), "Esc hides the overlay");
    Pump(500);
    Check(!Exists(Pic(L"0003.bmp")), "and captures nothing");
    ClosePattern(pattern);
    Stop(app);
}

// The options dialog's controls, by the identifiers Quorlan gives them.
enum : int {
    kPathId = 1001,
    kPrefixId = 1003,
    kFormatId = 1004,
    kDigitId = 1005,
    kSampleId = 1007,
    kFileType0Id = 1010,
    kColor0Id = 1020,
    kPrtScId = 1031,
    kAltPrtScId = 1032,
    kStartValId = 1035
};

HWND OpenOptions(TApp& app) {
    PostMessageW(app.Main, kTrayNotify, 1, WM_RBUTTONDOWN);
    if (!WaitFor([] {
            HWND menu = FindWindowW(L"#32768", nullptr);
            return menu && IsWindowVisible(menu);
        })) {
        return nullptr;
    }
    Pump(300);
    for (int i = 0; i < 3; ++i) { // the third item: 環境設定...
        Key(VK_DOWN, false);
        Key(VK_DOWN, true);
    }
    Key(VK_RETURN, false);
    Key(VK_RETURN, true);
    HWND dialog = nullptr;
    WaitFor([&] {
        dialog = FindWindowW(kDialogClass, L"環境設定");
        return dialog && IsWindowVisible(dialog);
    });
    Pump(300);
    return dialog;
}

void SetControlText(HWND dialog, int id, const wchar_t* text) {
    SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void SetChecked(HWND dialog, int id, bool on) {
    SendMessageW(GetDlgItem(dialog, id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

void TheOptionsDialog() {
    ClearPictures();
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    TApp app;
    Check(Start(app, gDefaultIni), "started");
    HWND dialog = OpenOptions(app);
    Check(dialog != nullptr, "the third menu item opens 環境設定");
    if (!dialog) {
        Stop(app);
        return;
    }
    Check(TextOf(GetDlgItem(dialog, kDigitId)) == L"4" &&
              TextOf(GetDlgItem(dialog, kStartValId)) == L"1",
          "loaded with the digit count and the next number");
    Check(TextOf(GetDlgItem(dialog, 1007)) == L"0001.bmp",
          "the sample: " + Utf8(TextOf(GetDlgItem(dialog, 1007))));

    // The digit count and the next number disagree: the dialog stays, focus on the digits.
    SetControlText(dialog, kDigitId, L"1");
    SetControlText(dialog, kStartValId, L"10");
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    HWND box = WaitForBox(L"エラー");
    Check(box && TextOf(GetDlgItem(box, 100)) ==
                     L"桁数と次の番号の値が矛盾してます。\r\n調整してください。",
          "the conflict is explained");
    Check(box && Press(box, IDOK), "OK closes the box");
    Pump(300);
    Check(IsWindowVisible(dialog) && FocusOf(dialog) == GetDlgItem(dialog, kDigitId),
          "the dialog stays open with the focus on the digit count");

    // A prefix a file name cannot hold.
    SetControlText(dialog, kDigitId, L"4");
    SetControlText(dialog, kPrefixId, L"a*b");
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    box = WaitForBox(L"エラー");
    Check(box && TextOf(GetDlgItem(box, 100)).find(L"接頭文字に") == 0,
          "the bad prefix is explained");
    Check(box && Press(box, IDOK), "OK closes that box");
    Pump(300);
    Check(IsWindowVisible(dialog) && FocusOf(dialog) == GetDlgItem(dialog, kPrefixId),
          "the focus is on the prefix");

    // Now a good set: saved byte for byte, PrintScreen no longer watched.
    SetControlText(dialog, kPrefixId, L"shot");
    SetControlText(dialog, kStartValId, L"7");
    SendMessageW(GetDlgItem(dialog, kFormatId), CB_SETCURSEL, 0, 0);
    for (int i = 0; i < 6; ++i) {
        SetChecked(dialog, kColor0Id + i, i == 5);
    }
    SetChecked(dialog, kPrtScId, false);
    SetChecked(dialog, kAltPrtScId, false);
    // Another program reads the settings file just as it is saved, not sharing it for deletion
    // (as editors and virus scanners do): the save waits for it instead of failing.
    HANDLE reader =
        CreateFileW((gAppFolder + L"\\Quorlan.ini").c_str(), GENERIC_READ,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    Check(reader != INVALID_HANDLE_VALUE, "the settings file opened by another reader");
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    Check(WaitFor([&] { return !IsWindow(dialog); }), "OK closes the dialog");
    Pump(300);
    CloseHandle(reader);
    Pump(500);
    Check(!FindWindowW(L"#32770", L"Quorlan"),
          "and the save waits for the reader without an error");
    std::string saved;
    const std::string expected = "[File]\r\nPath=" + Cp932(gPictures) +
                                 "\\\r\nPrefix=shot\r\nDateFormat=0\r\nDigit=4\r\n"
                                 "CaptAtSameTime=1\r\nSavePrtScrKey=0\r\nSaveAltPrtScrKey="
                                 "0\r\nIsUpdate=1\r\nExecApplication=0\r\n"
                                 "[Image]\r\nType=0\r\nBit=5\r\n";
    WaitFor(
        [&] { return ReadFileBytes(gAppFolder + L"\\Quorlan.ini", saved) && saved == expected; });
    Check(saved == expected, "the settings file holds the new values: " + saved);

    TPatternWindow pattern;
    ShowPattern(pattern, 0, 0, width, height, 0);
    PrintScreen(false);
    Pump(1500);
    Check(!Exists(Pic(L"shot0007.bmp")),
          "with both PrintScreen boxes unchecked the key does nothing");
    PostMessageW(app.Main, kCaptureNow, 0, 0);
    Check(WaitFor([] { return Exists(Pic(L"shot0007.bmp")); }),
          "a capture is named by the new settings");

    // Cancel changes nothing.
    dialog = OpenOptions(app);
    Check(dialog != nullptr, "open again");
    if (dialog) {
        SetControlText(dialog, kPrefixId, L"zzz");
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
        Check(WaitFor([&] { return !IsWindow(dialog); }), "Cancel closes it");
        std::string after;
        ReadFileBytes(gAppFolder + L"\\Quorlan.ini", after);
        Check(after == expected, "Cancel leaves the settings file");
    }

    // Checking one PrintScreen box brings the watcher back; a capture meanwhile shows at once.
    dialog = OpenOptions(app);
    if (dialog) {
        const std::wstring before = TextOf(GetDlgItem(dialog, kStartValId));
        PostMessageW(app.Main, kCaptureNow, 0, 0);
        Check(WaitFor([&] { return TextOf(GetDlgItem(dialog, kStartValId)) != before; }),
              "a capture while the dialog is open advances the next number (" + Utf8(before) + ")");
        SetChecked(dialog, kAltPrtScId, true);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        const DWORD okAt = GetTickCount();
        std::string now;
        WaitFor([&] {
            return ReadFileBytes(gAppFolder + L"\\Quorlan.ini", now) &&
                   now.find("SaveAltPrtScrKey=1") != std::string::npos;
        });
        std::printf("    the settings file was written %lu ms after OK\n", GetTickCount() - okAt);
        Check(WaitFor([&] { return !IsWindow(dialog); }), "OK again");
        SetForegroundWindow(pattern.Window);
        PrintScreen(false);
        Check(WaitFor([] { return Exists(Pic(L"shot0009.bmp")); }), "PrintScreen captures again");
    }
    ClosePattern(pattern);
    Stop(app);
}

// --- the keyboard and the mouse, as a user works them ----------------------------------------

void Press(WORD key) {
    Key(key, false);
    Key(key, true);
    Pump(150);
}

void Chord(WORD modifier, WORD key) {
    Key(modifier, false);
    Key(key, false);
    Key(key, true);
    Key(modifier, true);
    Pump(200);
}

void Type(const wchar_t* text) {
    for (const wchar_t* c = text; *c; ++c) {
        INPUT input[2]{};
        for (int i = 0; i < 2; ++i) {
            input[i].type = INPUT_KEYBOARD;
            input[i].ki.wScan = *c;
            input[i].ki.dwFlags = KEYEVENTF_UNICODE | (i ? KEYEVENTF_KEYUP : 0);
        }
        SendInput(2, input, sizeof input[0]);
    }
    Pump(200);
}

POINT CentreOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void Click(HWND window) {
    const POINT at = CentreOf(window);
    MouseTo(at.x, at.y);
    LeftButton(false);
    LeftButton(true);
}

int CountVisible(const wchar_t* title) {
    struct TCount {
        const wchar_t* Title;
        int Found;
    } count{title, 0};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* c = reinterpret_cast<TCount*>(data);
            wchar_t text[64] = L"";
            GetWindowTextW(window, text, 64);
            c->Found += IsWindowVisible(window) && std::wstring(text) == c->Title;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.Found;
}

std::string Settings() {
    std::string bytes;
    ReadFileBytes(gAppFolder + L"\\Quorlan.ini", bytes);
    return bytes;
}

// Enter presses the focused button, Esc and Enter belong to an open list, and every label and
// group letter moves the focus where it says.
void TheOptionsDialogByKeyboard() {
    TApp app;
    Check(Start(app, IniWith("", "Bit=4\r\n")), "started");
    const std::string before = Settings();
    HWND dialog = OpenOptions(app);
    Check(dialog != nullptr, "the options dialog opens");
    if (!dialog) {
        Stop(app);
        return;
    }
    auto focusIs = [&](int id) { return FocusOf(dialog) == GetDlgItem(dialog, id); };
    auto selection = [&](int id) {
        DWORD first = 0, last = 0;
        SendMessageW(GetDlgItem(dialog, id), EM_GETSEL, reinterpret_cast<WPARAM>(&first),
                     reinterpret_cast<LPARAM>(&last));
        return std::pair<DWORD, DWORD>{first, last};
    };
    Check(focusIs(kPathId) && selection(kPathId).first == 0 &&
              selection(kPathId).second == TextOf(GetDlgItem(dialog, kPathId)).size(),
          "it opens with the folder's whole text selected");

    struct TAccess {
        WORD Letter;
        int Target;
        const char* Name;
    } const accesses[] = {{'P', kPrefixId, "Alt+P the prefix"},
                          {'E', kFormatId, "Alt+E the date format"},
                          {'D', kDigitId, "Alt+D the digit count"},
                          {'T', kFileType0Id, "Alt+T the checked file type"},
                          {'B', kColor0Id + 4, "Alt+B the checked colour depth"},
                          {'N', kStartValId, "Alt+N the next number"},
                          {'F', kPathId, "Alt+F the folder"}};
    for (const TAccess& access : accesses) {
        Chord(VK_MENU, access.Letter);
        Check(focusIs(access.Target), access.Name);
    }

    // Tab stops at the sample without selecting it.
    Chord(VK_MENU, 'D');
    Press(VK_TAB);
    Check(focusIs(kSampleId) && selection(kSampleId).first == selection(kSampleId).second,
          "Tab reaches the sample and selects nothing there");

    // A dropped-down list keeps Esc and Enter.
    MouseTo(0, GetSystemMetrics(SM_CYSCREEN) - 1); // the pointer off the list
    Chord(VK_MENU, 'E');
    Press(VK_F4);
    Press(VK_ESCAPE);
    Check(IsWindowVisible(dialog) != FALSE, "Esc closes the dropped-down list, not the dialog");
    Press(VK_F4);
    Press(VK_DOWN);
    Press(VK_RETURN);
    const LRESULT chosen = SendMessageW(GetDlgItem(dialog, kFormatId), CB_GETCURSEL, 0, 0);
    Check(IsWindowVisible(dialog) && chosen == 1,
          "Enter takes the highlighted date format and the dialog stays (" +
              std::to_string(chosen) + ")");
    Check(TextOf(GetDlgItem(dialog, kSampleId)).find(L"-0001.bmp") != std::wstring::npos,
          "the sample follows: " + Utf8(TextOf(GetDlgItem(dialog, kSampleId))));

    // Enter and Esc in a spin box are the box's own.
    Chord(VK_MENU, 'D');
    Press(VK_RETURN);
    Press(VK_ESCAPE);
    Check(IsWindowVisible(dialog) != FALSE, "Enter and Esc in the digit box close nothing");

    // Edits made, then Enter on キャンセル: nothing is saved.
    Chord(VK_MENU, 'P');
    Type(L"edited");
    Chord(VK_MENU, 'F');
    Chord(VK_SHIFT, VK_TAB); // from the first control back to the last: キャンセル
    Check(FocusOf(dialog) == GetDlgItem(dialog, IDCANCEL), "Shift+Tab from the folder to Cancel");
    Press(VK_RETURN);
    Check(WaitFor([&] { return !IsWindow(dialog); }), "Enter on Cancel closes the dialog");
    Pump(300);
    Check(Settings() == before, "and leaves the settings file byte for byte");

    // The arrow buttons step on release, and repeat while held.
    dialog = OpenOptions(app);
    if (dialog) {
        HWND next = GetDlgItem(dialog, kStartValId);
        RECT rect{};
        GetWindowRect(next, &rect);
        MouseTo(rect.right - 6, rect.top + 5); // the upper arrow
        LeftButton(false);
        Check(TextOf(next) == L"1" && FocusOf(dialog) == next,
              "pressing the up arrow focuses the box and steps nothing yet");
        LeftButton(true);
        Check(TextOf(next) == L"2", "the release steps once: " + Utf8(TextOf(next)));
        LeftButton(false);
        Pump(1000);
        LeftButton(true);
        const int held = _wtoi(TextOf(next).c_str());
        Check(held >= 5 && held <= 14, "held for a second it repeats: " + std::to_string(held));
        Press(VK_ESCAPE); // from the box: nothing
        Chord(VK_MENU, 'F');
        Press(VK_ESCAPE);
        Check(WaitFor([&] { return !IsWindow(dialog); }), "Esc outside the spin boxes cancels");
    }
    Stop(app);
}

// A box is modal to the window under it, and its Enter follows the focus.
void TheBoxesAreModal() {
    ClearPictures();
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    TApp app;
    Check(Start(app, gDefaultIni), "started");
    HWND dialog = OpenOptions(app);
    if (dialog) {
        Chord(VK_MENU, 'D');
        Type(L"1");
        Chord(VK_MENU, 'N');
        Type(L"10");
        Click(GetDlgItem(dialog, IDOK));
        Check(WaitForBox(L"エラー") != nullptr, "a click on OK explains the conflict");
        Check(!IsWindowEnabled(dialog), "the dialog is disabled under its box");
        Click(GetDlgItem(dialog, IDOK));
        Pump(500);
        Check(CountVisible(L"エラー") == 1, "a second click on OK opens no second box");
        Press(VK_RETURN);
        Check(WaitFor([] { return CountVisible(L"エラー") == 0; }), "Enter closes the box");
        // (Under Wine without a window manager, the box takes a while to go.)
        Check(WaitFor([&] {
                  return IsWindowEnabled(dialog) && FocusOf(dialog) == GetDlgItem(dialog, kDigitId);
              }),
              "the dialog works again, the focus on the digit count");
        Press(VK_ESCAPE); // leaves the spin box alone
        Chord(VK_MENU, 'F');
        Press(VK_ESCAPE);
        Check(WaitFor([&] { return !IsWindow(dialog); }), "Esc cancels the dialog");
    }

    // The overwrite question: Tab to いいえ, then Enter, keeps the old file.
    WriteFileBytes(Pic(L"0001.bmp"), "old bytes");
    PostMessageW(app.Main, kTrayNotify, 1, WM_LBUTTONDBLCLK); // no region yet: explained
    HWND box = WaitForBox(L"エラー");
    if (box) {
        Press(VK_RETURN);
    }
    TPatternWindow pattern;
    ShowPattern(pattern, 0, 0, width, height, 0);
    Check(OpenOverlay(app), "the overlay");
    MouseTo(100, 100);
    LeftButton(false);
    MouseTo(300, 200);
    LeftButton(true);
    box = WaitForBox(L"警告");
    Check(box != nullptr, "the release asks before replacing 0001.bmp");
    Check(!IsWindowEnabled(app.Main), "the overlay is disabled under the question");
    MouseTo(500, 500); // a new drag on the overlay, away from the box
    LeftButton(false);
    MouseTo(700, 650);
    LeftButton(true);
    Pump(500);
    Check(CountVisible(L"警告") == 1, "a drag under the question starts no capture");
    Press(VK_TAB);
    Press(VK_RETURN);
    Check(WaitFor([] { return CountVisible(L"警告") == 0; }), "Tab, Enter answers");
    Pump(500);
    std::string bytes;
    ReadFileBytes(Pic(L"0001.bmp"), bytes);
    Check(bytes == "old bytes", "いいえ: the old file is kept");
    Check(WaitFor([&] { return !IsWindowVisible(app.Main); }), "the overlay ends");

    // The overlay takes Esc after a question, and after the options dialog opened over it.
    Check(OpenOverlay(app), "the overlay again");
    Press(VK_ESCAPE);
    Check(WaitFor([&] { return !IsWindowVisible(app.Main); }), "Esc ends it");
    Check(OpenOverlay(app), "and again");
    dialog = OpenOptions(app);
    Check(dialog != nullptr, "the options dialog opens over the overlay");
    Press(VK_ESCAPE);
    Check(WaitFor([&] { return !IsWindow(dialog); }), "Esc closes the dialog");
    Check(IsWindowVisible(app.Main) != FALSE, "the overlay is still up");
    Press(VK_ESCAPE);
    Check(WaitFor([&] { return !IsWindowVisible(app.Main); }), "and takes Esc again");
    Pump(300);
    Check(!Exists(Pic(L"0002.bmp")), "no capture was made by any of it");
    ClosePattern(pattern);
    Stop(app);
}

// Folder and file names beyond the Japanese code page, from the exe's folder to the capture.
void NamesBeyondTheCodePage() {
    ClearPictures();
    const std::wstring appFolder = gAppFolder + L"\\J\u00FCrgen \U00020BB7";
    const std::wstring target = gPictures + L"\\Jos\u00E9 \U0001F600";
    CreateDirectoryW(appFolder.c_str(), nullptr);
    CreateDirectoryW(target.c_str(), nullptr);
    CopyFileW((gAppFolder + L"\\Quorlan.exe").c_str(), (appFolder + L"\\Quorlan.exe").c_str(),
              FALSE);
    const std::wstring ini = appFolder + L"\\Quorlan.ini";
    WriteFileBytes(ini, IniWith("Prefix=a\r\n"));
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    TPatternWindow pattern;
    ShowPattern(pattern, 0, 0, width, height, 0);

    TApp app;
    Check(Launch(app, appFolder), "started from " + Utf8(appFolder));
    SetForegroundWindow(pattern.Window);
    PrintScreen(false);
    Check(WaitFor([] { return Exists(Pic(L"a0001.bmp")); }),
          "its settings are read: PrintScreen saves a0001.bmp where they say");

    HWND dialog = OpenOptions(app);
    Check(dialog != nullptr, "the options dialog opens");
    if (dialog) {
        SetControlText(dialog, kPathId, target.c_str());
        Chord(VK_MENU, 'P');
        Type(L"\u00E9\u2603"); // é and the snowman: neither is in the code page
        Check(TextOf(GetDlgItem(dialog, kPrefixId)) == L"\u00E9\u2603", "the prefix takes them");
        const DWORD clicked = GetTickCount();
        Press(VK_RETURN); // OK, from the prefix (the test pattern lies over the dialog)
        std::string saved;
        const bool written = WaitFor(
            [&] { return ReadFileBytes(ini, saved) && saved.compare(0, 2, "\xFF\xFE") == 0; });
        std::printf("    the settings file was written %lu ms after OK\n",
                    GetTickCount() - clicked);
        Check(written, "saved as UTF-16LE with its mark");
        Check(WaitFor([&] { return !IsWindow(dialog); }), "the dialog closes");
    }
    Stop(app);

    Check(Launch(app, appFolder), "started again");
    SetForegroundWindow(pattern.Window);
    PrintScreen(false);
    const std::wstring expected = target + L"\\\u00E9\u26030001.bmp";
    std::string bytes;
    Check(ReadWhenThere(expected, bytes),
          "the capture lands under the new names: " + Utf8(expected));
    Check(BmpInfo(bytes).Ok || (Pump(500), ReadFileBytes(expected, bytes) && BmpInfo(bytes).Ok),
          "a whole BMP file");
    Stop(app);
    ClosePattern(pattern);
}

// A PNG of the window in front, as its pixels.
void PngOfTheWindowInFront() {
    ClearPictures();
    TApp app;
    Check(Start(app, IniWith("", "Type=2\r\n")), "started");
    TPatternWindow front;
    ShowPattern(front, 120, 90, 333, 201, 17); // an odd width
    PrintScreen(true);
    Check(WaitFor([] { return Exists(Pic(L"0001.png")); }), "Alt+PrintScreen writes 0001.png");
    Pump(300);
    UINT width = 0, height = 0;
    const std::vector<std::uint32_t> pixels = ReadPng(Pic(L"0001.png"), width, height);
    Check(!pixels.empty() && width == 333 && height == 201, "a PNG of the window's size (" +
                                                                std::to_string(width) + " x " +
                                                                std::to_string(height) + ")");
    int wrong = 0;
    for (UINT y = 0; y < height && !pixels.empty(); ++y) {
        for (UINT x = 0; x < width; ++x) {
            wrong += pixels[std::size_t(y) * width + x] != PatternColour(int(x) + 17, int(y));
        }
    }
    Check(wrong == 0, "with the window's pixels (" + std::to_string(wrong) + " differ)");
    ClosePattern(front);
    Stop(app);
}

// --- the latency benchmark (tools/latency.sh), not a test ------------------------------------

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

// From PrintScreen (by SendInput) to the final file in its place, for one kind of file: one
// capture first, on its own, then `runs` more; prints the first, the median and the spread.
void MeasureLatency(const char* name, const std::string& imageKeys, const wchar_t* extension,
                    int runs) {
    ClearPictures();
    TApp app;
    if (!Start(app, IniWith("IsUpdate=0\r\n", imageKeys))) {
        std::printf("  %-7s Quorlan did not start\n", name);
        return;
    }
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    TPatternWindow pattern;
    ShowPattern(pattern, 0, 0, width, height, 0);
    std::vector<double> times;
    for (int i = 1; i <= runs + 1; ++i) {
        wchar_t file[32];
        std::swprintf(file, 32, L"%04d%ls", i, extension);
        const std::wstring path = Pic(file);
        LARGE_INTEGER start, now;
        QueryPerformanceCounter(&start);
        PrintScreen(false);
        do {
            Sleep(1);
            QueryPerformanceCounter(&now);
        } while (!Exists(path) && Milliseconds(start, now) < 20000);
        times.push_back(Milliseconds(start, now));
        Pump(300); // the program settles; the next capture starts from rest
    }
    const double first = times.front();
    std::vector<double> steady(times.begin() + 1, times.end());
    std::sort(steady.begin(), steady.end());
    std::printf("  %-7s %4dx%-4d  first %7.1f ms   median %7.1f ms   (%.1f to %.1f ms, %d runs)\n",
                name, width, height, first, steady[steady.size() / 2], steady.front(),
                steady.back(), runs);
    std::fflush(stdout);
    ClosePattern(pattern);
    Stop(app);
}

std::string gOnly; // runs only the tests whose name holds this text, when given

void Run(const char* name, void (*test)()) {
    if (!gOnly.empty() && std::string(name).find(gOnly) == std::string::npos) {
        return;
    }
    std::printf("  %s\n", name);
    std::fflush(stdout);
    gCurrentFailed = false;
    test();
    (gCurrentFailed ? gFailed : gPassed) += 1;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::printf("usage: QuorlanE2E.exe <folder of Quorlan.exe> <work folder>\n");
        return 2;
    }
    gAppFolder = argv[1];
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    gPictures = std::wstring(argv[2]) + L"\\画像 表";
    CreateDirectoryW(argv[2], nullptr);
    CreateDirectoryW(gPictures.c_str(), nullptr);
    gDefaultIni = IniWith("");
    if (argc > 3) {
        gOnly = Utf8(argv[3]);
    }
    if (gOnly == "--latency") {
        std::printf("From PrintScreen to the file (median of 10 after a first capture)\n");
        MeasureLatency("24-bit", "Bit=3\r\n", L".bmp", 10);
        MeasureLatency("8-bit", "Bit=4\r\n", L".bmp", 10);
        MeasureLatency("JPEG", "Type=1\r\n", L".jpg", 10);
        MeasureLatency("PNG", "Type=2\r\n", L".png", 10);
        return 0;
    }

    std::printf("Quorlan end-to-end tests\n");
    Run("start-up shows only the tray icon", StartupShowsOnlyTheTrayIcon);
    Run("a double-click without a region explains", DoubleClickWithoutARegionExplains);
    Run("PrintScreen and Alt+PrintScreen", PrintScreenSavesTheWholeScreen);
    Run("the region overlay", TheRegionOverlay);
    Run("the overwrite question", TheOverwriteQuestion);
    Run("the options dialog", TheOptionsDialog);
    Run("the options dialog by keyboard", TheOptionsDialogByKeyboard);
    Run("the boxes are modal", TheBoxesAreModal);
    Run("names beyond the code page", NamesBeyondTheCodePage);
    Run("the digit-overflow question", TheDigitOverflowQuestion);
    Run("every colour depth and JPEG", EveryDepthAndJpeg);
    Run("a PNG of the window in front", PngOfTheWindowInFront);
    Run("exit through the menu", ExitThroughTheMenu);
    Run("a close request ends the program", ACloseRequestEndsTheProgram);
    std::printf("%d passed, %d failed\n", gPassed, gFailed);
    return gFailed == 0 ? 0 : 1;
}
