#pragma once

// A page for the scrolling capture's tests: a window that shows a tall document through a
// viewport between a fixed header and a fixed footer, scrolled by the wheel (60 rows a notch
// unless told otherwise, parts of a notch gathered as Windows asks of a window), the keys and the
// scroll bar. Every row of the document is known: rows all
// different, but for blank bands (rows of white) between its parts.

#include <windows.h>

#include <cstdint>
#include <vector>

// The document's row y at column x: white in the blank bands, else its own colours.
std::uint32_t ScrollPageColour(int x, int y);

// Lines of grey "words" on white, a paragraph's gap every eight lines: a page as it looks.
std::uint32_t ScrollPageText(int x, int y);

struct TScrollPage {
    int Header = 40, Footer = 30;                               // rows of the client area that stay
    int Rows = 2500;                                            // of the document
    std::uint32_t (*Document)(int x, int y) = ScrollPageColour; // its rows' colours
    bool Changing = false; // a row of the viewport shows a count of the paints
    int PerNotch = 60;     // rows a notch of the wheel scrolls
    int WheelRest = 0;     // the part of a notch not yet scrolled, times PerNotch
    HWND Window = nullptr;
    int Offset = 0; // the document's row at the viewport's top
    int Paints = 0;
    int Width = 0, Height = 0; // of the client area
    std::vector<std::uint32_t> Pixels;
};

std::uint32_t ScrollHeaderColour(int x, int y);
std::uint32_t ScrollFooterColour(int x, int y);

// Shown with its client area at (left, top), that wide and high, in front.
void ShowScrollPage(TScrollPage& page, int left, int top, int width, int height);
void CloseScrollPage(TScrollPage& page);
// Its client area's rectangle on the screen.
RECT ScrollPageClient(const TScrollPage& page);
