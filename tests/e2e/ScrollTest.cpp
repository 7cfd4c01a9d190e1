// The scrolling capture: a page taller than the screen, scrolled by Quorlan and saved in one
// file, each of its rows once; by the key and the menu's item, with and without fixed parts, a
// page shorter than the window, one stopped by Esc and one that changes as it scrolls.

#include "Driver.h"
#include "ScrollPage.h"
#include "Tests.h"

#include <cstdio>
#include <functional>

namespace {

// The frozen screen opened by Ctrl+Shift+PrintScreen, the page's client area dragged.
bool ChooseThePage(TApp& app, const RECT& client) {
    Key(VK_CONTROL, false);
    Key(VK_SHIFT, false);
    PrintScreen(false);
    Key(VK_SHIFT, true);
    Key(VK_CONTROL, true);
    if (!WaitFor([&] { return IsWindowVisible(app.Main); })) {
        return false;
    }
    Pump(300);
    MouseTo(client.left, client.top);
    LeftButton(false);
    MouseTo((client.left + client.right) / 2, (client.top + client.bottom) / 2);
    MouseTo(client.right, client.bottom);
    LeftButton(true);
    return true;
}

// The file as the page's rows would be, `rows` of the document between the header and the
// footer; `skipRow`, a row of the window not compared (-1 for none). The first difference told.
bool PageSaved(const wchar_t* name, const TScrollPage& page, int rows, int skipRow = -1) {
    std::string bytes;
    if (!ReadWhenThere(Pic(name), bytes)) {
        return false;
    }
    Pump(300);
    ReadFileBytes(Pic(name), bytes);
    const TBmpInfo info = BmpInfo(bytes);
    const int height = page.Header + rows + page.Footer;
    if (!info.Ok || info.Width != page.Width || info.Height != height) {
        std::printf("    the file is %dx%d, not %dx%d\n", info.Width, info.Height, page.Width,
                    height);
        return false;
    }
    for (int y = 0; y < height; ++y) {
        if (y == skipRow) {
            continue;
        }
        for (int x = 0; x < page.Width; ++x) {
            const std::uint32_t want =
                y < page.Header ? ScrollHeaderColour(x, y)
                : y >= page.Header + rows
                    ? ScrollFooterColour(x, y - page.Header - rows)
                    : (y - page.Header >= page.Rows ? 0xFFFFFFu
                                                    : ScrollPageColour(x, y - page.Header));
            if (BmpPixel(bytes, x, y) != want) {
                std::printf("    (%d, %d) is %06X, not %06X\n", x, y, BmpPixel(bytes, x, y), want);
                return false;
            }
        }
    }
    return true;
}

} // namespace

void AScrollingCaptureSavesTheWholePage() {
    ClearPictures();
    TApp app;
    if (!Start(app, IniWith("IsUpdate=0\r\nNotifySaved=1\r\n"))) {
        Check(false, "started");
        return;
    }
    TScrollPage page;
    ShowScrollPage(page, 200, 80, 600, 400);
    const RECT client = ScrollPageClient(page);
    POINT before{};
    const DWORD started = GetTickCount();
    Check(ChooseThePage(app, client), "Ctrl+Shift+PrintScreen opens the frozen screen");
    GetCursorPos(&before);
    HWND label = nullptr;
    Check(WaitFor([&] { return (label = FindWindowW(L"QuorlanScrollLabel", nullptr)) != nullptr; }),
          "a label shows under the page");
    Check(label && TextOf(label).find(L"スクロール中") == 0 &&
              TextOf(label).find(L"(Esc で終了)") != std::wstring::npos,
          "it says it scrolls: " + Utf8(label ? TextOf(label) : L""));
    Check(WaitFor([] { return Exists(Pic(L"0001.bmp")); }, 60000), "the page is saved");
    std::printf("    a page of %d rows took %lu ms from the release to the file\n",
                page.Header + page.Rows + page.Footer, GetTickCount() - started);
    Check(PageSaved(L"0001.bmp", page, page.Rows),
          "in one file: the header once at the top, every row of the document once and in "
          "order, the footer once at the bottom");
    Check(!FindWindowW(L"QuorlanScrollLabel", nullptr), "the label goes");
    CloseScrollPage(page);

    // No fixed parts, stopped by Esc: what was put together is saved, exact.
    TScrollPage plain;
    plain.Header = plain.Footer = 0;
    plain.Rows = 20000; // more than a second's scrolling
    ShowScrollPage(plain, 200, 80, 600, 400);
    Check(ChooseThePage(app, ScrollPageClient(plain)), "again, over a page with no fixed parts");
    Pump(1000);
    Press(VK_ESCAPE);
    std::string bytes;
    Check(ReadWhenThere(Pic(L"0002.bmp"), bytes), "Esc ends it and saves what is there");
    Pump(300);
    ReadFileBytes(Pic(L"0002.bmp"), bytes);
    const int rows = BmpInfo(bytes).Height;
    std::printf("    Esc after a second: %d rows\n", rows);
    Check(rows > 400 && rows < plain.Rows && PageSaved(L"0002.bmp", plain, rows),
          "the rows it had, exact");
    CloseScrollPage(plain);

    // A page shorter than the window: one screen.
    TScrollPage shortPage;
    shortPage.Rows = 200;
    ShowScrollPage(shortPage, 200, 80, 600, 400);
    Check(ChooseThePage(app, ScrollPageClient(shortPage)), "over a page shorter than the window");
    Check(WaitFor([] { return Exists(Pic(L"0003.bmp")); }, 20000) &&
              PageSaved(L"0003.bmp", shortPage, 400 - 70),
          "one screen is saved");
    CloseScrollPage(shortPage);

    // A page that changes as it scrolls: nothing that may be wrong is added, and the notice
    // says where it stopped.
    TScrollPage changing;
    changing.Changing = true;
    ShowScrollPage(changing, 200, 80, 600, 400);
    Check(ChooseThePage(app, ScrollPageClient(changing)), "over a page that changes");
    Check(WaitFor([] { return Exists(Pic(L"0004.bmp")); }, 20000) &&
              PageSaved(L"0004.bmp", changing, 400 - 70, changing.Header + 165),
          "what was exact is saved: the first screen");
    const bool told = WaitFor(
        [&] {
            for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"tooltips_class32", nullptr));) {
                if (IsWindowVisible(w) &&
                    TextOf(w).find(L"そこまでを保存しました") != std::wstring::npos) {
                    return true;
                }
            }
            return false;
        },
        5000);
    Check(told, "the notice says it stopped where the page changed");
    CloseScrollPage(changing);
    Stop(app);
}

void AScrollingCaptureFollowsAFastPageAndKeepsItsLabelOut() {
    ClearPictures();
    TApp app;
    if (!Start(app, IniWith("IsUpdate=0\r\n"))) {
        Check(false, "started");
        return;
    }
    // 60 rows a notch behind a moving part of 130 rows: a notch moves it nearly half of it.
    TScrollPage fast;
    fast.Rows = 1500;
    ShowScrollPage(fast, 200, 80, 600, fast.Header + 130 + fast.Footer);
    Check(ChooseThePage(app, ScrollPageClient(fast)), "over a page of 60 rows a notch");
    Check(WaitFor([] { return Exists(Pic(L"0001.bmp")); }, 60000) &&
              PageSaved(L"0001.bmp", fast, fast.Rows),
          "every row of it once, in order");
    CloseScrollPage(fast);

    // From the top of the monitor to one row above its bottom: no room above or below, the label
    // goes beside it, and nothing of ours is in the file.
    TScrollPage tall;
    tall.Rows = 1500;
    const int monitorHeight = GetSystemMetrics(SM_CYSCREEN);
    ShowScrollPage(tall, 200, 0, 600, monitorHeight - 1);
    const RECT client = ScrollPageClient(tall);
    Check(ChooseThePage(app, client), "over a page as tall as the monitor but a row");
    HWND label = nullptr;
    RECT at{};
    Check(
        WaitFor([&] { return (label = FindWindowW(L"QuorlanScrollLabel", nullptr)) != nullptr; }) &&
            GetWindowRect(label, &at) && (at.left >= client.right || at.right <= client.left),
        "the label is beside the page, not on it");
    Check(WaitFor([] { return Exists(Pic(L"0002.bmp")); }, 60000) &&
              PageSaved(L"0002.bmp", tall, tall.Rows),
          "every row once, no label in it");
    CloseScrollPage(tall);
    Stop(app);
}
