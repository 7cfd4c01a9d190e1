// Kills Quorlan at random moments of a save, as a crash or a power cut would, and checks what
// is left: the old file or the new one, complete, never a torn one; and no temporary file after
// the next start. A stress run, not a test (tools/kill-trials.sh).
//
// Usage: QuorlanKillTrials.exe <folder holding Quorlan.exe> <empty work folder> [trials]

#include "Driver.h"

#include <cstdio>
#include <random>
#include <string>

namespace {

int CountTemporaries(const std::wstring& folder) {
    int count = 0;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\~qrl*.tmp").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            ++count;
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    return count;
}

void Kill(TApp& app) {
    TerminateProcess(app.Process.hProcess, 9);
    WaitForSingleObject(app.Process.hProcess, 5000);
    CloseHandle(app.Process.hProcess);
    CloseHandle(app.Process.hThread);
    app = {};
}

struct TTally {
    int Old = 0, New = 0, Torn = 0, LeftBehind = 0, LeftAfterStart = 0;
    void Print(const char* what, int trials) const {
        std::printf("  %-14s %d trials: old file %d, new file %d, torn %d; temporaries left by the "
                    "kill %d, after the next start %d\n",
                    what, trials, Old, New, Torn, LeftBehind, LeftAfterStart);
    }
};

// Starts Quorlan again and counts the temporaries still there once it has started.
void CheckNextStart(TTally& tally, const std::string& ini) {
    TApp again;
    Start(again, ini);
    Pump(1500);
    tally.LeftAfterStart += CountTemporaries(gAppFolder) + CountTemporaries(gPictures);
    Stop(again);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::printf("usage: QuorlanKillTrials.exe <folder of Quorlan.exe> <work folder> [n]\n");
        return 2;
    }
    SetUpDriver(argv[1], argv[2]);
    const int trials = argc > 3 ? _wtoi(argv[3]) : 50;
    std::mt19937 random(20261209);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const std::size_t bmpSize = 54 + std::size_t(width) * 3 * height;

    // A capture replacing an older file, killed at a random moment after PrintScreen.
    TTally captures;
    TPatternWindow pattern;
    ShowPattern(pattern, 0, 0, width, height, 0);
    const std::string ini = IniWith("IsUpdate=0\r\n");
    for (int i = 0; i < trials; ++i) {
        ClearPictures();
        WriteFileBytes(Pic(L"0001.bmp"), "the old capture");
        TApp app;
        Start(app, ini);
        PrintScreen(false);
        Sleep(std::uniform_int_distribution<int>(0, 400)(random));
        Kill(app);
        std::string bytes;
        ReadFileBytes(Pic(L"0001.bmp"), bytes);
        const bool old = bytes == "the old capture";
        const bool whole = bytes.size() == bmpSize && bytes.compare(0, 2, "BM") == 0;
        (old ? captures.Old : whole ? captures.New : captures.Torn) += 1;
        captures.LeftBehind += CountTemporaries(gPictures) > 0;
        CheckNextStart(captures, ini);
    }
    ClosePattern(pattern);

    // The settings file, saved by OK of the options dialog, killed at a random moment after.
    TTally settings;
    for (int i = 0; i < trials; ++i) {
        TApp app;
        Start(app, ini);
        const std::string before = Settings();
        HWND dialog = OpenOptions(app);
        if (!dialog) {
            Kill(app);
            continue;
        }
        SendMessageW(GetDlgItem(dialog, kPrefixId), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(i % 2 ? L"odd" : L"even"));
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        Sleep(std::uniform_int_distribution<int>(0, 60)(random));
        Kill(app);
        const std::string after = Settings();
        const std::string prefix = std::string("Prefix=") + (i % 2 ? "odd" : "even") + "\r\n";
        const bool isNew = after.find(prefix) != std::string::npos &&
                           after.find("[Image]\r\nType=0\r\nBit=3\r\n") != std::string::npos &&
                           after.find("[Image]") == after.rfind("[Image]");
        (after == before ? settings.Old : isNew ? settings.New : settings.Torn) += 1;
        settings.LeftBehind += CountTemporaries(gAppFolder) > 0;
        CheckNextStart(settings, after);
    }

    std::printf("Kills at random moments of a save\n");
    captures.Print("capture", trials);
    settings.Print("settings save", trials);
    return captures.Torn + settings.Torn + captures.LeftAfterStart + settings.LeftAfterStart == 0
               ? 0
               : 1;
}
