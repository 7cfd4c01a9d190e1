#include "win32/MarkDrawing.h"

#include "win32/DibSection.h"
#include "win32/SystemError.h"
#include "win32/WideText.h"
#include "win32/dialogs/UiFont.h"

#include <objidl.h>

#include <gdiplus.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace {

COLORREF ColourOf(std::uint32_t rgb) {
    return RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
}

Gdiplus::Color GdiplusColour(std::uint32_t rgb) {
    return Gdiplus::Color(255, static_cast<BYTE>(rgb >> 16), static_cast<BYTE>(rgb >> 8),
                          static_cast<BYTE>(rgb));
}

// The step's number shows in black on the light colours, in white on the others.
std::uint32_t NumberColour(std::uint32_t fill) {
    const std::uint32_t light = (fill >> 16 & 0xFF) * 3 + (fill >> 8 & 0xFF) * 6 + (fill & 0xFF);
    return light > 1600 ? 0x000000 : 0xFFFFFF;
}

// The arrow's head: its length and half its width, from the line's width.
double HeadLength(const TMarkStyle& style) {
    return 4.0 * style.LineWidth + 4;
}

TCaptureRegion TextBox(const TMark& mark, const TMarkStyle& style, const std::wstring& text) {
    const TWindowDc screen(nullptr);
    TMemoryDc dc(CreateCompatibleDC(screen.Get()));
    TFontHandle font = CreateMarkFont(style.TextHeight);
    if (!dc || !font) {
        RaiseOutOfResources();
    }
    TSelection fontSelected(dc.Get(), font.Get());
    RECT box{0, 0, 0, 0};
    DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &box,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    return {mark.From.X, mark.From.Y, mark.From.X + box.right + 2, mark.From.Y + box.bottom};
}

// Where the mark may paint, on the screen.
TCaptureRegion MarkBox(const TMark& mark, const TMarkStyle& style, const std::wstring& text) {
    if (mark.Tool == TMarkTool::Text) {
        return TextBox(mark, style, text);
    }
    const std::int32_t reach = mark.Tool == TMarkTool::Step
                                   ? style.StepRadius + 2
                                   : static_cast<std::int32_t>(HeadLength(style)) + style.LineWidth;
    const TCaptureRegion box = DraggedBox(mark);
    return {box.Left - reach, box.Top - reach, box.Right + reach, box.Bottom + reach};
}

void DrawArrow(HDC dc, const TMark& mark, const TMarkStyle& style, POINT origin) {
    Gdiplus::Graphics graphics(dc);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    // Pixel centres, in the section's positions.
    const double x0 = mark.From.X - origin.x + 0.5, y0 = mark.From.Y - origin.y + 0.5;
    const double x1 = mark.To.X - origin.x + 0.5, y1 = mark.To.Y - origin.y + 0.5;
    const double length = std::hypot(x1 - x0, y1 - y0);
    if (length < 1) {
        return;
    }
    const double ux = (x1 - x0) / length, uy = (y1 - y0) / length;
    const double head = std::min(HeadLength(style), length);
    const double half = head * 0.45;
    const double bx = x1 - ux * head, by = y1 - uy * head;
    Gdiplus::Pen pen(GdiplusColour(mark.Colour), static_cast<Gdiplus::REAL>(style.LineWidth));
    pen.SetStartCap(Gdiplus::LineCapRound);
    // The line ends inside the head, so that no square end shows beside its point.
    const double ex = x1 - ux * head * 0.6, ey = y1 - uy * head * 0.6;
    graphics.DrawLine(&pen, static_cast<Gdiplus::REAL>(x0), static_cast<Gdiplus::REAL>(y0),
                      static_cast<Gdiplus::REAL>(ex), static_cast<Gdiplus::REAL>(ey));
    const Gdiplus::PointF points[] = {
        {static_cast<Gdiplus::REAL>(x1), static_cast<Gdiplus::REAL>(y1)},
        {static_cast<Gdiplus::REAL>(bx - uy * half), static_cast<Gdiplus::REAL>(by + ux * half)},
        {static_cast<Gdiplus::REAL>(bx + uy * half), static_cast<Gdiplus::REAL>(by - ux * half)}};
    Gdiplus::SolidBrush brush(GdiplusColour(mark.Colour));
    graphics.FillPolygon(&brush, points, 3);
}

void DrawText(HDC dc, const std::wstring& text, RECT box, std::uint32_t colour, int height,
              int weight, UINT format) {
    TFontHandle font = CreateMarkFont(height, weight);
    if (!font) {
        RaiseOutOfResources();
    }
    TSelection fontSelected(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColourOf(colour));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box,
              format | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
}

void DrawStep(HDC dc, const TMark& mark, const TMarkStyle& style, POINT origin) {
    const std::int32_t r = style.StepRadius;
    const int cx = mark.From.X - origin.x, cy = mark.From.Y - origin.y;
    {
        Gdiplus::Graphics graphics(dc);
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        Gdiplus::SolidBrush brush(GdiplusColour(mark.Colour));
        graphics.FillEllipse(&brush, static_cast<Gdiplus::REAL>(cx - r + 0.5),
                             static_cast<Gdiplus::REAL>(cy - r + 0.5),
                             static_cast<Gdiplus::REAL>(2 * r), static_cast<Gdiplus::REAL>(2 * r));
    }
    const std::wstring number = std::to_wstring(mark.Step);
    const int height = number.size() > 2 ? r : r * 5 / 4;
    DrawText(dc, number, RECT{cx - r, cy - r, cx + r + 1, cy + r + 1}, NumberColour(mark.Colour),
             height, FW_BOLD, DT_CENTER | DT_VCENTER);
}

} // namespace

TFontHandle CreateMarkFont(int pixelHeight, int weight) {
    return CreateJapaneseFont(pixelHeight, kUiFaces, weight, ANTIALIASED_QUALITY);
}

std::vector<TCaptureRegion> DrawMarkOnCanvas(const TMark& mark, const TMarkStyle& style,
                                             const TPixels32Canvas& canvas) {
    const std::wstring text = WideFromUtf8(mark.Text);
    const TCaptureRegion box = Intersection(
        MarkBox(mark, style, text),
        {canvas.Left, canvas.Top, canvas.Left + canvas.Width, canvas.Top + canvas.Height});
    if (IsEmpty(box)) {
        return {};
    }
    const TWindowDc screen(nullptr);
    TDibSection section(screen.Get(), box.Right - box.Left, box.Bottom - box.Top);
    const std::size_t rowBytes = 4 * std::size_t(section.Width);
    auto* bits = static_cast<std::uint8_t*>(section.Bits);
    for (int y = 0; y < section.Height; ++y) {
        std::memcpy(bits + y * rowBytes,
                    canvas.Row(box.Top - canvas.Top + y) +
                        4 * std::ptrdiff_t{box.Left - canvas.Left},
                    rowBytes);
    }
    const POINT origin{box.Left, box.Top};
    switch (mark.Tool) {
    case TMarkTool::Arrow:
        DrawArrow(section.Dc.Get(), mark, style, origin);
        break;
    case TMarkTool::Step:
        DrawStep(section.Dc.Get(), mark, style, origin);
        break;
    case TMarkTool::Text:
        DrawText(
            section.Dc.Get(), text,
            RECT{mark.From.X - origin.x, mark.From.Y - origin.y, section.Width, section.Height},
            mark.Colour, style.TextHeight, FW_NORMAL, DT_LEFT | DT_TOP);
        break;
    default:
        return {};
    }
    GdiFlush();
    for (int y = 0; y < section.Height; ++y) {
        std::memcpy(canvas.Row(box.Top - canvas.Top + y) +
                        4 * std::ptrdiff_t{box.Left - canvas.Left},
                    bits + y * rowBytes, rowBytes);
    }
    return {box};
}

TGdiplusSession::TGdiplusSession() {
    const Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&FToken, &input, nullptr) != Gdiplus::Ok) {
        FToken = 0; // arrows and steps then draw nothing; the rest of the program works
    }
}

TGdiplusSession::~TGdiplusSession() {
    if (FToken) {
        Gdiplus::GdiplusShutdown(FToken);
    }
}
