// Text beyond the code page, from the folders to the settings file and the capture.

#include "Driver.h"
#include "Tests.h"

#include <algorithm>
#include <cstdio>

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
