#include "win32/MarkDrawing.h"

#include "win32/DibSection.h"
#include "win32/SystemError.h"
#include "win32/WideText.h"
#include "win32/dialogs/UiFont.h"

#include <cstring>
#include <string>

namespace {

// The step's number shows in black on the light colours, in white on the others.
std::uint32_t NumberColour(std::uint32_t fill) {
    const std::uint32_t light = (fill >> 16 & 0xFF) * 3 + (fill >> 8 & 0xFF) * 6 + (fill & 0xFF);
    return light > 1600 ? 0x000000 : 0xFFFFFF;
}

// What is drawn: the text, its font's height and weight, its colour, and the box it is set in
// (a step's number centred in the square around its circle, a text from its top-left corner).
struct TLetters {
    std::wstring Text;
    int Height;
    int Weight;
    std::uint32_t Colour;
    TCaptureRegion Box;
    UINT Format;
};

TLetters LettersOf(const TMark& mark, const TMarkStyle& style) {
    if (mark.Tool == TMarkTool::Step) {
        const std::int32_t r = style.StepRadius;
        std::wstring number = std::to_wstring(mark.Step);
        const int height = number.size() > 2 ? r : r * 5 / 4;
        return {std::move(number),
                height,
                FW_BOLD,
                NumberColour(mark.Colour),
                {mark.From.X - r, mark.From.Y - r, mark.From.X + r + 1, mark.From.Y + r + 1},
                DT_CENTER | DT_VCENTER};
    }
    TLetters letters{WideFromUtf8(mark.Text), style.TextHeight, FW_NORMAL, mark.Colour, {},
                     DT_LEFT | DT_TOP};
    const TWindowDc screen(nullptr);
    TMemoryDc dc(CreateCompatibleDC(screen.Get()));
    TFontHandle font = CreateMarkFont(letters.Height);
    if (!dc || !font) {
        RaiseOutOfResources();
    }
    TSelection fontSelected(dc.Get(), font.Get());
    RECT box{0, 0, 0, 0};
    DrawTextW(dc.Get(), letters.Text.c_str(), static_cast<int>(letters.Text.size()), &box,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    letters.Box = {mark.From.X, mark.From.Y, mark.From.X + box.right + 2, mark.From.Y + box.bottom};
    return letters;
}

} // namespace

TFontHandle CreateMarkFont(int pixelHeight, int weight) {
    return CreateJapaneseFont(pixelHeight, kUiFaces, weight, ANTIALIASED_QUALITY);
}

std::vector<TCaptureRegion> DrawMarkOnCanvas(const TMark& mark, const TMarkStyle& style,
                                             const TPixels32Canvas& canvas) {
    if (mark.Tool != TMarkTool::Step && mark.Tool != TMarkTool::Text) {
        return {};
    }
    const TLetters letters = LettersOf(mark, style);
    const TCaptureRegion box =
        Intersection(letters.Box, {canvas.Left, canvas.Top, canvas.Left + canvas.Width,
                                   canvas.Top + canvas.Height});
    if (IsEmpty(box)) {
        return {};
    }
    // Drawn through a section of the part's size that holds the canvas's pixels.
    const TWindowDc screen(nullptr);
    TDibSection section(screen.Get(), box.Right - box.Left, box.Bottom - box.Top);
    TFontHandle font = CreateMarkFont(letters.Height, letters.Weight);
    if (!font) {
        RaiseOutOfResources();
    }
    const std::size_t rowBytes = 4 * std::size_t(section.Width);
    auto* bits = static_cast<std::uint8_t*>(section.Bits);
    const auto canvasRow = [&](int y) {
        return canvas.Row(box.Top - canvas.Top + y) + 4 * std::ptrdiff_t{box.Left - canvas.Left};
    };
    for (int y = 0; y < section.Height; ++y) {
        std::memcpy(bits + y * rowBytes, canvasRow(y), rowBytes);
    }
    {
        TSelection fontSelected(section.Dc.Get(), font.Get());
        SetBkMode(section.Dc.Get(), TRANSPARENT);
        SetTextColor(section.Dc.Get(), RGB(letters.Colour >> 16 & 0xFF, letters.Colour >> 8 & 0xFF,
                                           letters.Colour & 0xFF));
        RECT within{letters.Box.Left - box.Left, letters.Box.Top - box.Top,
                    letters.Box.Right - box.Left, letters.Box.Bottom - box.Top};
        DrawTextW(section.Dc.Get(), letters.Text.c_str(), static_cast<int>(letters.Text.size()),
                  &within, letters.Format | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
        GdiFlush();
    }
    for (int y = 0; y < section.Height; ++y) {
        std::memcpy(canvasRow(y), bits + y * rowBytes, rowBytes);
    }
    return {box};
}
