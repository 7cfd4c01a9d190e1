// The keys of the user's choice: Quorlan's alone, chosen in the keys dialog, and Windows' own
// PrintScreen setting.

#include "Driver.h"
#include "Tests.h"

#include <cstdio>

namespace {

// What a window in front, and another program's hotkey for PrintScreen, receive of it.
struct TKeySeen {
    int Downs = 0, Ups = 0, Hotkeys = 0;
};
TKeySeen gSeen;

LRESULT CALLBACK RecorderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message == WM_KEYDOWN || message == WM_SYSKEYDOWN) && wParam == VK_SNAPSHOT) {
        ++gSeen.Downs;
    } else if ((message == WM_KEYUP || message == WM_SYSKEYUP) && wParam == VK_SNAPSHOT) {
        ++gSeen.Ups;
    } else if (message == WM_HOTKEY) {
        ++gSeen.Hotkeys;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND ShowRecorder() {
    WNDCLASSW cls{};
    cls.lpfnWndProc = RecorderProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"QuorlanE2EKeys";
    RegisterClassW(&cls);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, L"QuorlanE2EKeys", L"keys", WS_POPUP, 600, 500,
                                  200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(window);
    RegisterHotKey(window, 1, MOD_NOREPEAT, VK_SNAPSHOT);
    Pump(300);
    return window;
}

constexpr wchar_t kKeyboard[] = L"Control Panel\\Keyboard";
constexpr wchar_t kSnipping[] = L"PrintScreenKeyForSnippingEnabled";

DWORD SnippingValue() {
    DWORD value = 2, size = sizeof value;
    RegGetValueW(HKEY_CURRENT_USER, kKeyboard, kSnipping, RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
}

} // namespace

void TheKeysAreQuorlansAlone() {
    ClearPictures();
    TApp app;
    Check(Start(app, gDefaultIni), "started");
    HWND recorder = ShowRecorder();
    gSeen = {};
    PrintScreen(false);
    Check(WaitFor([] { return Exists(Pic(L"0001.bmp")); }), "PrintScreen captures");
    Pump(500);
    std::printf("    the window in front saw %d downs and %d ups of PrintScreen, its hotkey %d\n",
                gSeen.Downs, gSeen.Ups, gSeen.Hotkeys);
    Check(gSeen.Downs == 0 && gSeen.Ups == 0, "the window in front sees neither down nor up");
    Check(gSeen.Hotkeys == 0, "another program's hotkey for it gets nothing");
    Stop(app);

    // The switch off: the key is not Quorlan's, and goes where it would go without it.
    Check(Start(app, IniWith("SavePrtScrKey=0\r\n")), "started with PrintScreen off");
    SetForegroundWindow(recorder);
    SetFocus(recorder);
    Pump(300);
    gSeen = {};
    PrintScreen(false);
    Pump(1000);
    Check(!Exists(Pic(L"0002.bmp")), "PrintScreen off captures nothing");
    Check(gSeen.Ups > 0 || gSeen.Downs > 0 || gSeen.Hotkeys > 0,
          "and the key reaches the window or the hotkey");
    Check(gSeen.Hotkeys > 0, "another program's hotkey gets it");
    Stop(app);
    UnregisterHotKey(recorder, 1);
    DestroyWindow(recorder);
}

void CtrlPrintScreenDrawsANewRegion() {
    TApp app;
    TPatternWindow pattern;
    StartOverThePattern(app, pattern, gDefaultIni);
    Key(VK_CONTROL, false);
    PrintScreen(false);
    Key(VK_CONTROL, true);
    Check(WaitFor([&] { return IsWindowVisible(app.Main); }), "Ctrl+PrintScreen opens the overlay");
    Pump(500);
    MouseTo(120, 90);
    LeftButton(false);
    MouseTo(250, 200);
    LeftButton(true);
    Check(CapturedExactly(L"0001.bmp", 120, 90, 130, 110, PatternColour),
          "a drag captures exactly");
    Check(WaitFor([&] { return !IsWindowVisible(app.Main); }), "and the overlay goes");
    ClosePattern(pattern);
    Stop(app);
}

void AKeyChosenInTheKeysDialog() {
    ClearPictures();
    TApp app;
    // Ctrl+F8 takes the window in front: the keys dialog gets it as a key all the same.
    Check(Start(app, IniWith("IsUpdate=0\r\n", "[Keys]\r\nCaptureWindow=Ctrl+F8\r\n")), "started");
    HWND options = OpenOptions(app);
    Check(options != nullptr, "the options dialog");
    if (!options) {
        Stop(app);
        return;
    }
    Click(GetDlgItem(options, kKeysButtonId));
    HWND keys = nullptr;
    Check(WaitFor([&] {
              keys = FindWindowW(kDialogClass, L"キーの割り当て");
              return keys && IsWindowVisible(keys);
          }),
          "its button opens the keys dialog");
    if (keys) {
        Pump(300);
        Check(TextOf(GetDlgItem(keys, kKeyBox0Id)) == L"PrintScreen" &&
                  TextOf(GetDlgItem(keys, kKeyBox0Id + 2)) == L"Ctrl+PrintScreen",
              "the boxes show the keys: " + Utf8(TextOf(GetDlgItem(keys, kKeyBox0Id))));
        Chord(VK_CONTROL, VK_F8);
        Pump(500);
        Check(TextOf(GetDlgItem(keys, kKeyBox0Id)) == L"Ctrl+F8",
              "a key in use reaches the key box: " + Utf8(TextOf(GetDlgItem(keys, kKeyBox0Id))));
        Check(!Exists(Pic(L"0001.bmp")), "and captures nothing");
        Press('A'); // a typing key alone is refused on OK
        Check(TextOf(GetDlgItem(keys, kKeyBox0Id)) == L"A", "a key pressed shows in its box");
        Press(VK_RETURN);
        HWND box = WaitForBox(L"エラー");
        Check(box && TextOf(GetDlgItem(box, 100)).find(L"「現在の矩形範囲を保存」のキーには") == 0,
              "a letter alone is refused, naming the action");
        Check(box && Press(box, IDOK), "OK closes that box");
        Pump(300);
        Chord(VK_CONTROL, VK_F9);
        Pump(200);
        Check(TextOf(GetDlgItem(keys, kKeyBox0Id)) == L"Ctrl+F9",
              "Ctrl+F9: " + Utf8(TextOf(GetDlgItem(keys, kKeyBox0Id))));
        Key(VK_SHIFT, false); // Shift+PrintScreen there is taken by the fourth action already
        PrintScreen(false);
        Key(VK_SHIFT, true);
        Pump(300);
        Check(TextOf(GetDlgItem(keys, kKeyBox0Id)) == L"Shift+PrintScreen",
              "PrintScreen reaches the key box: " + Utf8(TextOf(GetDlgItem(keys, kKeyBox0Id))));
        Press(VK_RETURN);
        box = WaitForBox(L"エラー");
        Check(box && TextOf(GetDlgItem(box, 100))
                             .find(L"「ポインターのあるモニターを保存」のキーは、ほか") == 0,
              "a key given twice is refused, naming the second action");
        Check(box && Press(box, IDOK), "OK closes that box");
        Pump(300);
        Check(FocusOf(keys) == GetDlgItem(keys, kKeyBox0Id + 3), "the focus is on its box");
        Click(GetDlgItem(keys, kKeyBox0Id));
        Chord(VK_CONTROL, VK_F9);
        Pump(200);
        Press(VK_RETURN);
        Check(WaitFor([&] { return !IsWindow(keys); }), "OK takes the keys");
    }
    PostMessageW(options, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(options, IDOK)));
    Check(WaitFor([&] { return !IsWindow(options); }), "the options' OK saves them");
    // The dialog goes before the file is replaced: wait for it.
    Check(WaitFor([] {
              std::string saved;
              return ReadFileBytes(gAppFolder + L"\\Quorlan.ini", saved) &&
                     saved.find("\r\nCapture=Ctrl+F9\r\n") != std::string::npos;
          }),
          "kept as Capture=Ctrl+F9");
    PrintScreen(false);
    Pump(1000);
    Check(!Exists(Pic(L"0001.bmp")), "the old key no longer captures");
    Chord(VK_CONTROL, VK_F9);
    Check(WaitFor([] { return Exists(Pic(L"0001.bmp")); }), "the new key captures");
    Stop(app);
}

void WindowsOwnPrintScreenIsAskedAboutOnce() {
    const DWORD one = 1;
    RegSetKeyValueW(HKEY_CURRENT_USER, kKeyboard, kSnipping, REG_DWORD, &one, sizeof one);
    TApp app;
    Check(Start(app, gDefaultIni), "started");
    HWND box = WaitForBox(L"警告");
    Check(box && TextOf(GetDlgItem(box, 100)).find(L"Windows の設定で、PrintScreen キーが") == 0,
          "with Windows' PrintScreen capture on, the question comes");
    Check(box && Press(box, IDYES), "Yes");
    Check(WaitFor([] { return SnippingValue() == 0; }), "Yes turns it off");
    std::string saved;
    Check(WaitFor([&] {
              return ReadFileBytes(gAppFolder + L"\\Quorlan.ini", saved) &&
                     saved.find("PrintScreenAsked=1") != std::string::npos;
          }),
          "the answer is kept");
    Stop(app);
    RegSetKeyValueW(HKEY_CURRENT_USER, kKeyboard, kSnipping, REG_DWORD, &one, sizeof one);
    TApp again;
    Check(Launch(again, gAppFolder), "started again");
    Pump(2000);
    Check(CountVisible(L"警告") == 0, "a second start does not ask");
    Stop(again);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kKeyboard, kSnipping);
}
