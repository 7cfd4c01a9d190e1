#include "win32/Artwork.h"

#include "win32/DibSection.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr int kSize = 16;

// A 16 x 16 picture with soft edges: each call covers part of a pixel with a colour.
class TCanvas16 {
public:
    void Blend(int x, int y, std::uint32_t rgb, double coverage) {
        if (x < 0 || y < 0 || x >= kSize || y >= kSize || coverage <= 0) {
            return;
        }
        coverage = coverage > 1 ? 1 : coverage;
        double* p = FPixels[y][x];
        const double c[3] = {double((rgb >> 16) & 0xFF), double((rgb >> 8) & 0xFF),
                             double(rgb & 0xFF)};
        for (int i = 0; i < 3; ++i) {
            p[i] = p[i] * (1 - coverage) + c[i] * coverage;
        }
        p[3] = p[3] * (1 - coverage) + coverage;
    }
    void Fill(int x0, int y0, int x1, int y1, std::uint32_t rgb) {
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                Blend(x, y, rgb, 1);
            }
        }
    }
    // A disc, or a ring `width` wide when width > 0.
    void Disc(double cx, double cy, double radius, std::uint32_t rgb, double width = 0) {
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
                double coverage = radius + 0.5 - d;
                if (width > 0) {
                    coverage = std::min(coverage, d - (radius - width) + 0.5);
                }
                Blend(x, y, rgb, coverage);
            }
        }
    }
    void Line(double x0, double y0, double x1, double y1, double width, std::uint32_t rgb) {
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                const double px = x + 0.5, py = y + 0.5;
                const double dx = x1 - x0, dy = y1 - y0;
                double t = ((px - x0) * dx + (py - y0) * dy) / (dx * dx + dy * dy);
                t = t < 0 ? 0 : t > 1 ? 1 : t;
                const double d = std::hypot(px - (x0 + t * dx), py - (y0 + t * dy));
                Blend(x, y, rgb, width / 2 + 0.5 - d);
            }
        }
    }
    // Bottom-up BGRA, as a 32-bit DIB holds it, laid over the menu's colour and opaque:
    // menus that ignore the alpha channel (Wine's) would otherwise show black around it.
    void CopyTo(std::uint8_t* bits, std::uint32_t background) const {
        const double back[3] = {double(GetRValue(background)), double(GetGValue(background)),
                                double(GetBValue(background))};
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                const double* p = FPixels[y][x];
                std::uint8_t* out = bits + ((kSize - 1 - y) * kSize + x) * 4;
                for (int i = 0; i < 3; ++i) {
                    out[2 - i] = std::uint8_t(p[i] * p[3] + back[i] * (1 - p[3]) + 0.5);
                }
                out[3] = 255;
            }
        }
    }

private:
    double FPixels[kSize][kSize][4] = {};
};

void DrawRegion(TCanvas16& c) {
    // A dashed selection frame and the crosshair that draws it.
    for (int i = 1; i <= 12; ++i) {
        const std::uint32_t ink = (i / 2) % 2 ? 0x1F4E9E : 0x8FB3E8;
        c.Blend(i, 2, ink, 1);
        c.Blend(i, 11, ink, 1);
        if (i <= 11) {
            c.Blend(1, i, ink, 1);
            c.Blend(12, i, ink, 1);
        }
    }
    c.Line(12, 8.5, 12, 15.5, 1.4, 0x202020);
    c.Line(8.5, 12, 15.5, 12, 1.4, 0x202020);
}

void DrawCapture(TCanvas16& c) {
    // A camera.
    c.Fill(1, 4, 14, 13, 0x3A4250);
    c.Fill(4, 2, 7, 3, 0x3A4250);
    c.Fill(11, 5, 13, 6, 0xF0C040);
    c.Disc(8, 9, 3.6, 0xDDE6F2);
    c.Disc(8, 9, 2.4, 0x2F6FD0);
    c.Disc(7.2, 8.2, 0.8, 0xFFFFFF);
}

void DrawOptions(TCanvas16& c) {
    // Three sliders.
    const double ys[] = {3.5, 8, 12.5};
    const double knobs[] = {10, 5, 11};
    for (int i = 0; i < 3; ++i) {
        c.Line(1.5, ys[i], 14.5, ys[i], 1.6, 0x6A7380);
        c.Disc(knobs[i], ys[i], 2.4, 0x2F8F5A);
        c.Disc(knobs[i], ys[i], 2.4, 0x1C5C39, 1.0);
    }
}

void DrawExit(TCanvas16& c) {
    // A power sign on red.
    c.Disc(8, 8, 7.2, 0xC8362E);
    c.Disc(8, 8.6, 4.2, 0xFFFFFF, 1.5);
    c.Line(8, 2.8, 8, 8, 3.6, 0xC8362E);
    c.Line(8, 3.4, 8, 7.6, 1.6, 0xFFFFFF);
}

// Lines of text inside the corners of a rectangle chosen: text recognition.
void DrawReadText(TCanvas16& c) {
    for (const auto& [x, y, dx, dy] :
         {std::array<double, 4>{1.5, 1.5, 1, 1}, std::array<double, 4>{14.5, 1.5, -1, 1},
          std::array<double, 4>{1.5, 14.5, 1, -1}, std::array<double, 4>{14.5, 14.5, -1, -1}}) {
        c.Line(x, y, x + 3.5 * dx, y, 1.4, 0x2E6FC8);
        c.Line(x, y, x, y + 3.5 * dy, 1.4, 0x2E6FC8);
    }
    for (const int y : {5, 8, 11}) {
        c.Fill(4, y, y == 11 ? 9 : 12, y + 1, 0x3A4250);
    }
}

// A page taller than its window, and an arrow down beside it: the scrolling capture.
void DrawScroll(TCanvas16& c) {
    c.Fill(2, 1, 10, 15, 0x6A7380);
    c.Fill(3, 2, 9, 14, 0xFFFFFF);
    for (const int y : {4, 7, 10}) {
        c.Fill(4, y, 8, y + 1, 0x6A7380);
    }
    c.Line(13, 2.5, 13, 12.5, 1.6, 0x2E6FC8);
    c.Line(10.5, 10, 13, 13.5, 1.6, 0x2E6FC8);
    c.Line(15.5, 10, 13, 13.5, 1.6, 0x2E6FC8);
}

void DrawFolder(TCanvas16& c) {
    // An open folder.
    c.Fill(1, 3, 6, 4, 0xC08A20);
    c.Fill(1, 4, 13, 13, 0xC08A20);
    c.Fill(2, 6, 12, 12, 0xF0D070);
    for (int y = 7; y <= 13; ++y) {
        c.Fill(3 + (13 - y) / 2, y, 15 - (13 - y) / 2, y, 0xF8C840);
    }
}

} // namespace

TBitmapHandle CreateMenuImage(int index) {
    TCanvas16 canvas;
    switch (index) {
    case 0:
        DrawRegion(canvas);
        break;
    case 1:
        DrawCapture(canvas);
        break;
    case 2:
        DrawOptions(canvas);
        break;
    case 4:
        DrawFolder(canvas);
        break;
    case 5:
        DrawScroll(canvas);
        break;
    case 6:
        DrawReadText(canvas);
        break;
    default:
        DrawExit(canvas);
        break;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kSize;
    info.bmiHeader.biHeight = kSize;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    TBitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap && bits) {
        canvas.CopyTo(static_cast<std::uint8_t*>(bits),
                      GetSysColor(index == 4 ? COLOR_BTNFACE : COLOR_MENU));
    }
    return bitmap;
}

TIconHandle CreateBadgeIcon(const std::wstring& text, std::uint32_t discColour, int size) {
    TWindowDc screen(nullptr);
    TMemoryDc dc(CreateCompatibleDC(screen.Get()));
    const BITMAPINFO info = TopDown32(size, size);
    void* bits = nullptr;
    TBitmapHandle colour(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const std::vector<std::uint8_t> clear(std::size_t((size + 15) / 16 * 2) * size, 0);
    TBitmapHandle mask(CreateBitmap(size, size, 1, 1, clear.data())); // the alpha decides
    if (!dc || !colour || !bits || !mask) {
        return TIconHandle();
    }
    auto* pixels = static_cast<std::uint32_t*>(bits);
    const double radius = size / 2.0;
    {
        const TSelection selected(dc.Get(), colour.Get());
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const double d = std::hypot(x + 0.5 - radius, y + 0.5 - radius);
                pixels[y * size + x] = d <= radius ? discColour : 0; // the disc, opaque below
            }
        }
        TFontHandle font(CreateFontW(-(size * 3 / 4), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                     NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Arial"));
        const TSelection withFont(dc.Get(), font.Get());
        SetBkMode(dc.Get(), TRANSPARENT);
        SetTextColor(dc.Get(), RGB(0xFF, 0xFF, 0xFF));
        RECT all{0, 0, size, size};
        DrawTextW(dc.Get(), text.c_str(), -1, &all, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        GdiFlush();
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                std::uint32_t& p = pixels[y * size + x];
                const double d = std::hypot(x + 0.5 - radius, y + 0.5 - radius);
                p = d <= radius ? (p & 0xFFFFFFu) | 0xFF000000u : 0; // alpha: the disc alone
            }
        }
    }
    ICONINFO icon{};
    icon.fIcon = TRUE;
    icon.hbmMask = mask.Get();
    icon.hbmColor = colour.Get();
    return TIconHandle(CreateIconIndirect(&icon));
}
