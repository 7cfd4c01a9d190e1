// The README's pictures of the marks on the frozen screen, the pin made of them, and a scrolling
// capture under way.

#include "Screens.h"
#include "ScrollPage.h"

#include <algorithm>

int TakeMarksAndPin(HWND desktop) {
    int failures = 0;
    // Marks on the frozen screen before the save: a frame (selected, with its handles), an arrow,
    // steps, a highlighter, a mosaic, a text, a pen's line and an ellipse, the toolbar beside the
    // selection with the select tool's tip.
    Raise(desktop);
    TApp marking;
    if (Start(marking, IniWith("Markup=1\r\n"))) {
        const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
        const int px = w / 6, py = h / 8;
        const auto click = [](int x, int y) {
            MouseTo(x, y);
            LeftButton(false);
            LeftButton(true);
        };
        if (OpenOverlay(marking)) {
            Drag(px + 4, py + 32, px + 420, py + 200);
            Pump(300);
            // The frame first: a press on a selected mark's handle resizes it, whatever the tool.
            Drag(px + 130, py + 74, px + 175, py + 100);
            Press('H');
            Drag(px + 14, py + 78, px + 250, py + 96);
            Press('A');
            Drag(px + 300, py + 150, px + 182, py + 100);
            Press('N');
            click(px + 160, py + 53);
            click(px + 280, py + 107);
            Press('M');
            Drag(px + 14, py + 130, px + 130, py + 150);
            Press('T');
            click(px + 230, py + 150);
            Type(L"ここが伸びた");
            Press(VK_RETURN);
            Press('E');
            Drag(px + 320, py + 40, px + 410, py + 90);
            Press('P');
            MouseTo(px + 340, py + 170);
            LeftButton(false);
            for (const POINT p : {POINT{px + 355, py + 185}, POINT{px + 370, py + 175},
                                  POINT{px + 385, py + 190}, POINT{px + 400, py + 178}}) {
                MouseTo(p.x, p.y);
            }
            LeftButton(true);
            Press('V');
            click(px + 152, py + 74); // the frame's top edge: selected, its handles shown
            // The select tool's tip: the toolbar, too wide for the selection, starts at the
            // monitor's left edge.
            MouseTo(20, py + 219);
            Pump(500);
            failures +=
                !SaveScreenPart(L"marks.png", {0, py + 10, std::max(px + 500, 970), py + 280}, 0);
            // The marks pinned, dragged aside over the page that has none, and the pin's menu.
            Press(VK_F3);
            HWND pin = nullptr;
            WaitFor([&] {
                pin = FindWindowW(L"QuorlanPin", nullptr);
                return pin && IsWindowVisible(pin);
            });
            Pump(300);
            Drag(px + 300, py + 60, px + 480, py + 240);
            Pump(300);
            HWND menu = nullptr;
            if (pin) {
                const RECT placed = WindowRect(pin);
                MouseTo(placed.left + 300, placed.top + 60);
                RightButton(false);
                RightButton(true);
                WaitFor([&] {
                    menu = FindWindowW(L"#32768", nullptr);
                    return menu && IsWindowVisible(menu);
                });
                Pump(300);
            }
            failures += !(menu && SaveScreenPart(L"pin.png",
                                                 Union(Union(WindowRect(pin), WindowRect(menu)),
                                                       {px, py + 28, px + 424, py + 204}),
                                                 16));
            Press(VK_ESCAPE); // the menu
            Press(VK_ESCAPE); // the pin
            Pump(500);
        } else {
            ++failures;
        }
        Stop(marking);
    } else {
        ++failures;
    }

    return failures;
}

int TakeScrolling(HWND desktop) {
    int failures = 0;
    // A scrolling capture under way: the frame around a page and the label under it.
    TApp scrolling;
    if (Start(scrolling, gDefaultIni)) {
        TScrollPage page;
        page.Rows = 6000;
        page.Document = ScrollPageText;
        Raise(desktop);
        const int w = GetSystemMetrics(SM_CXSCREEN);
        ShowScrollPage(page, w / 2 - 300, 120, 600, 420);
        const RECT client = ScrollPageClient(page);
        Key(VK_CONTROL, false);
        Key(VK_SHIFT, false);
        PrintScreen(false);
        Key(VK_SHIFT, true);
        Key(VK_CONTROL, true);
        if (WaitFor([&] { return IsWindowVisible(scrolling.Main); })) {
            Pump(300);
            MouseTo(client.left, client.top + page.Header);
            LeftButton(false);
            MouseTo(client.right, client.bottom - page.Footer);
            LeftButton(true);
            Pump(450);
            failures += !SaveScreenPart(
                L"scrolling.png",
                {client.left - 30, client.top - 20, client.right + 50, client.bottom + 60}, 0);
            Press(VK_ESCAPE);
            Pump(1000);
        } else {
            ++failures;
        }
        CloseScrollPage(page);
        Stop(scrolling);
    } else {
        ++failures;
    }
    return failures;
}

int TakeText(HWND desktop) {
    TApp app;
    if (!Start(app, gDefaultIni)) {
        return 1;
    }
    int failures = 0;
    Raise(desktop);
    Key(VK_CONTROL, false);
    Key(VK_MENU, false);
    PrintScreen(false);
    Key(VK_MENU, true);
    Key(VK_CONTROL, true);
    if (WaitFor([&] { return IsWindowVisible(app.Main); })) {
        const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
        Pump(300);
        MouseTo(w / 6 + 10, h / 8 + 64);
        LeftButton(false);
        MouseTo(w / 2, h / 8 + 150);
        MouseTo(w / 2 + 80, h / 8 + 170);
        failures += !SaveScreenPart(L"text.png", {0, 0, w, h}, 0);
        LeftButton(true);
        Pump(3000); // read, and on the clipboard
    } else {
        ++failures;
    }
    Stop(app);
    return failures;
}
