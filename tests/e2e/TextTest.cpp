#include "Driver.h"
#include "Tests.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Known lines, as a user's screen draws them: the Japanese font the tests use, grey
// anti-aliasing, at a size, dark on light or light on dark.
struct TTextBlock {
    std::vector<std::wstring> Lines;
    int Size;
    bool LightOnDark;
};

const TTextBlock kJapanese{{L"画面の一部を切り取って保存します。",
                            L"保存する場所とファイル名の形式は設定で変えられます。",
                            L"取り込んだ画像はクリップボードにもコピーできます。"},
                           16,
                           false};
const TTextBlock kEnglish{{L"The quick brown fox jumps over the lazy dog.",
                           L"Save the region as a numbered file in the folder you chose.",
                           L"Press the key again to capture the window in front."},
                          13,
                          false};
const TTextBlock kMixedDark{
    {L"Quorlan は PNG と JPEG で保存できます。", L"設定ファイルは実行ファイルの隣にあります。"},
    16,
    true};

const TTextBlock* gShown = nullptr;

LRESULT CALLBACK TextProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT && gShown) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT all;
        GetClientRect(window, &all);
        const COLORREF ink = gShown->LightOnDark ? RGB(0xF0, 0xF0, 0xF0) : RGB(0x20, 0x20, 0x20);
        const COLORREF paper = gShown->LightOnDark ? RGB(0x20, 0x28, 0x30) : RGB(0xFF, 0xFF, 0xFF);
        HBRUSH brush = CreateSolidBrush(paper);
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        HFONT font = CreateFontW(-gShown->Size, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                 DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 ANTIALIASED_QUALITY, DEFAULT_PITCH, L"IPAPGothic");
        HGDIOBJ old = SelectObject(dc, font);
        SetBkColor(dc, paper);
        SetTextColor(dc, ink);
        int y = 12;
        for (const std::wstring& line : gShown->Lines) {
            TextOutW(dc, 12, y, line.c_str(), int(line.size()));
            y += gShown->Size * 4 / 3;
        }
        SelectObject(dc, old);
        DeleteObject(font);
        EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_ERASEBKGND) {
        return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND ShowText(const TTextBlock& block, int left, int top, int width, int height) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSW cls{};
        cls.lpfnWndProc = TextProc;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.lpszClassName = L"QuorlanE2EText";
        cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        RegisterClassW(&cls);
        registered = true;
    }
    gShown = &block;
    HWND window =
        CreateWindowExW(WS_EX_TOPMOST, L"QuorlanE2EText", L"text", WS_POPUP, left, top, width,
                        height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    Pump(400);
    return window;
}

std::wstring Joined(const TTextBlock& block) {
    std::wstring joined;
    for (const std::wstring& line : block.Lines) {
        joined += (joined.empty() ? L"" : L"\r\n") + line;
    }
    return joined;
}

// The fewest characters inserted, deleted or replaced to make one the other, over the truth's.
double ErrorRate(const std::wstring& truth, const std::wstring& read) {
    std::vector<std::size_t> row(read.size() + 1), next(read.size() + 1);
    for (std::size_t j = 0; j <= read.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= truth.size(); ++i) {
        next[0] = i;
        for (std::size_t j = 1; j <= read.size(); ++j) {
            next[j] = std::min(
                {row[j] + 1, next[j - 1] + 1, row[j - 1] + (truth[i - 1] != read[j - 1] ? 1 : 0)});
        }
        std::swap(row, next);
    }
    return double(row[read.size()]) / double(truth.size());
}

bool IsJapanese(wchar_t c) {
    return (c >= 0x3000 && c <= 0x30FF) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xFF01 && c <= 0xFFEF);
}

// A space the truth has not, between two Japanese characters.
bool SpaceInJapanese(const std::wstring& read) {
    for (std::size_t i = 1; i + 1 < read.size(); ++i) {
        if (read[i] == L' ' && IsJapanese(read[i - 1]) && IsJapanese(read[i + 1])) {
            return true;
        }
    }
    return false;
}

std::wstring ClipboardText() {
    const std::string bytes = ClipboardBytes(CF_UNICODETEXT);
    std::wstring text(bytes.size() / 2, L'\0');
    std::copy(bytes.begin(), bytes.begin() + text.size() * 2, reinterpret_cast<char*>(text.data()));
    return text.substr(0, text.find(L'\0'));
}

// Waits for the clipboard to hold text other than `before`.
std::wstring NewClipboardText(const std::wstring& before) {
    std::wstring text;
    WaitFor(
        [&] {
            text = ClipboardText();
            return !text.empty() && text != before;
        },
        60000);
    return text;
}

void ExpectRead(const TTextBlock& block, const std::wstring& read, double most, const char* what) {
    const double rate = ErrorRate(Joined(block), read);
    std::printf("    %s: %.2f %% of the characters wrong\n", what, 100 * rate);
    if (rate > 0) {
        std::printf("      read: %s\n", Utf8(read).c_str());
    }
    Check(rate <= most, std::string(what) + " read within its error rate");
    Check(!SpaceInJapanese(read), std::string(what) + " with no space between Japanese");
}

void ReadByTheKey(const TTextBlock& block, double most, const char* what) {
    HWND window = ShowText(block, 100, 100, 760, 140);
    const std::wstring before = ClipboardText();
    Key(VK_CONTROL, false);
    Key(VK_MENU, false);
    Key(VK_SNAPSHOT, false);
    Key(VK_SNAPSHOT, true);
    Key(VK_MENU, true);
    Key(VK_CONTROL, true);
    Pump(600);
    Drag(104, 104, 856, 236);
    ExpectRead(block, NewClipboardText(before), most, what);
    DestroyWindow(window);
    Pump(200);
}

} // namespace

void TextIsReadToTheClipboard() {
    ClearPictures();
    TApp app;
    Check(Start(app, gDefaultIni), "started");
    ReadByTheKey(kJapanese, 0.03, "Japanese at 16 px");
    ReadByTheKey(kEnglish, 0.005, "English at 13 px");
    ReadByTheKey(kMixedDark, 0.03, "mixed, light on dark");
    Check(!Exists(Pic(L"0001.bmp")), "nothing written to the folder");
    Stop(app);
}

void F4ReadsTheMarkedSelection() {
    ClearPictures();
    TApp app;
    Check(Start(app, IniWith("Markup=1\r\n")), "started");
    HWND window = ShowText(kJapanese, 100, 100, 760, 140);
    const std::wstring before = ClipboardText();
    Check(OpenOverlay(app), "the overlay");
    Drag(104, 104, 856, 236);
    Pump(300);
    Check(IsWindowVisible(app.Main), "the marks' toolbar");
    Press(VK_F4);
    ExpectRead(kJapanese, NewClipboardText(before), 0.03, "the marked selection");
    Check(!IsWindowVisible(app.Main), "the frozen screen gone");
    Check(!Exists(Pic(L"0001.bmp")), "nothing written to the folder");
    DestroyWindow(window);
    Stop(app);
}
