// The options dialog and the boxes, driven by keys and clicks as a user would.

#include "Driver.h"
#include "Tests.h"

#include <algorithm>
#include <cstdio>

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
    const std::string expected =
        "[File]\r\nPath=" + Cp932(gPictures) +
        "\\\r\nPrefix=shot\r\nDateFormat=0\r\nDigit=4\r\n"
        "CaptAtSameTime=1\r\nSavePrtScrKey=0\r\nSaveAltPrtScrKey="
        "0\r\nIsUpdate=1\r\nExecApplication=0\r\n"
        "CopyToClipboard=0\r\nNotifySaved=0\r\nMagnifier=1\r\nDelay=0\r\nCaptureCursor=0\r\nMarkup="
        "0\r\nScrollMaxHeight=30000\r\nOcrLanguages=jpn+eng\r\n"
        "[Image]\r\nType=0\r\nBit=5\r\n"
        "[Keys]\r\nCapture=PrintScreen\r\nCaptureWindow=Alt+PrintScreen\r\n"
        "SelectRegion=Ctrl+PrintScreen\r\nCaptureScreen=Shift+PrintScreen\r\n"
        "PrintScreenAsked=0\r\nScrollCapture=Ctrl+Shift+PrintScreen\r\n"
        "ReadText=Ctrl+Alt+PrintScreen\r\n";
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

    // Checking the PrintScreen box brings its key back; a capture meanwhile shows at once.
    dialog = OpenOptions(app);
    if (dialog) {
        const std::wstring before = TextOf(GetDlgItem(dialog, kStartValId));
        PostMessageW(app.Main, kCaptureNow, 0, 0);
        Check(WaitFor([&] { return TextOf(GetDlgItem(dialog, kStartValId)) != before; }),
              "a capture while the dialog is open advances the next number (" + Utf8(before) + ")");
        SetChecked(dialog, kPrtScId, true);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        const DWORD okAt = GetTickCount();
        std::string now;
        WaitFor([&] {
            return ReadFileBytes(gAppFolder + L"\\Quorlan.ini", now) &&
                   now.find("SavePrtScrKey=1") != std::string::npos;
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
        // Its button, once the box has the focus to take Enter (under Wine without a window
        // manager a box shows a moment before it is active).
        WaitFor([&] { return IsChild(box, FocusOf(box)) != FALSE; });
        Press(VK_RETURN);
        if (!WaitFor([] { return CountVisible(L"エラー") == 0; })) {
            Click(GetDlgItem(box, IDOK));
        }
        Check(WaitFor([] { return CountVisible(L"エラー") == 0; }), "the explanation closes");
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
