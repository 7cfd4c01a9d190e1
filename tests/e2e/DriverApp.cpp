#include "Driver.h"

#include <objbase.h>

#include <cstdio>
#include <cwchar>

std::wstring gAppFolder;
std::wstring gPictures;
std::string gDefaultIni;
bool gCurrentFailed = false;

void SetUpDriver(const std::wstring& appFolder, const std::wstring& workFolder) {
    gAppFolder = appFolder;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); // the imaging component wants it
    gPictures = workFolder + L"\\画像 表";
    CreateDirectoryW(workFolder.c_str(), nullptr);
    CreateDirectoryW(gPictures.c_str(), nullptr);
    gDefaultIni = IniWith("");
}

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

bool WaitFor(const std::function<bool()>& condition, DWORD timeout) {
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
    // Another program (the shell, an indexer under Wine) may hold it a moment: tried again.
    return WaitFor([&] { return Exists(path) && ReadFileBytes(path, bytes); });
}

std::wstring Pic(const std::wstring& name) {
    return gPictures + L"\\" + name;
}

// --- the program -------------------------------------------------------------------------------

std::string IniWith(const std::string& extraFileKeys, const std::string& imageKeys) {
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

bool Exited(TApp& app, DWORD timeout) {
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
            wchar_t name[16] = {};
            GetClassNameW(window, name, 16);
            // The tray menu closing as the exit item is chosen is no window of the program.
            if (owner == s->Id && IsWindowVisible(window) && std::wcscmp(name, L"#32768") != 0) {
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
    LARGE_INTEGER frequency, chosen, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&chosen);
    Key(VK_RETURN, false);
    Key(VK_RETURN, true);
    bool shown = false;
    do { // the window shown and painted; our own windows repaint what the menu covered
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        shown = IsWindowVisible(app.Main) && GetUpdateRect(app.Main, nullptr, FALSE) == FALSE;
        QueryPerformanceCounter(&now);
    } while (!shown && now.QuadPart - chosen.QuadPart < 10 * frequency.QuadPart);
    std::printf("    the overlay showed %.0f ms after the item was chosen\n",
                double(now.QuadPart - chosen.QuadPart) * 1000.0 / double(frequency.QuadPart));
    Pump(500);
    return shown;
}

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
