#include "win32/MarkDrawing.h"

#include "win32/ColourRef.h"
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

// What is drawn: the text, its font, its colour, and the box it is set in (a step's number
// centred in the square around its circle, a text from its top-left corner, measured).
struct TLetters {
    std::wstring Text;
    TFontHandle Font;
    std::uint32_t Colour = 0;
    TCaptureRegion Box;
    UINT Format = 0;
};

TLetters LettersOf(const TMark& mark, const TMarkStyle& style, HDC screen) {
    TLetters letters;
    if (mark.Tool == TMarkTool::Step) {
        const std::int32_t r = style.StepRadius;
        letters.Text = std::to_wstring(mark.Step);
        letters.Font = CreateMarkFont(letters.Text.size() > 2 ? r : r * 5 / 4, FW_BOLD);
        letters.Colour = NumberColour(mark.Colour);
        letters.Box = {mark.From.X - r, mark.From.Y - r, mark.From.X + r + 1, mark.From.Y + r + 1};
        letters.Format = DT_CENTER | DT_VCENTER;
    } else {
        letters.Text = WideFromUtf8(mark.Text);
        letters.Font = CreateMarkFont(style.TextHeight);
        letters.Colour = mark.Colour;
        letters.Format = DT_LEFT | DT_TOP;
    }
    if (!letters.Font) {
        RaiseOutOfResources();
    }
    if (mark.Tool == TMarkTool::Text) {
        TSelection fontSelected(screen, letters.Font.Get());
        RECT box{0, 0, 0, 0};
        DrawTextW(screen, letters.Text.c_str(), static_cast<int>(letters.Text.size()), &box,
                  DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        letters.Box = {mark.From.X, mark.From.Y, mark.From.X + box.right + 2,
                       mark.From.Y + box.bottom};
    }
    return letters;
}

} // namespace

TFontHandle CreateMarkFont(int pixelHeight, int weight) {
    return CreateJapaneseFont(pixelHeight, kUiFaces, weight, ANTIALIASED_QUALITY);
}

TCaptureRegion MarkLettersBox(const TMark& mark, const TMarkStyle& style) {
    if (mark.Tool != TMarkTool::Step && mark.Tool != TMarkTool::Text) {
        return {};
    }
    const TWindowDc screen(nullptr);
    return LettersOf(mark, style, screen.Get()).Box;
}

std::vector<TCaptureRegion> DrawMarkOnCanvas(const TMark& mark, const TMarkStyle& style,
                                             const TPixels32Canvas& canvas) {
    if (mark.Tool != TMarkTool::Step && mark.Tool != TMarkTool::Text) {
        return {};
    }
    const TWindowDc screen(nullptr);
    const TLetters letters = LettersOf(mark, style, screen.Get());
    const TCaptureRegion box = Intersection(letters.Box, canvas.Area());
    if (IsEmpty(box)) {
        return {};
    }
    // Drawn through a section of the part's size that holds the canvas's pixels.
    TDibSection section(screen.Get(), box.Right - box.Left, box.Bottom - box.Top);
    const std::size_t rowBytes = 4 * std::size_t(section.Width);
    auto* bits = static_cast<std::uint8_t*>(section.Bits);
    const auto canvasRow = [&](int y) {
        return canvas.Row(box.Top - canvas.Top + y) + 4 * std::ptrdiff_t{box.Left - canvas.Left};
    };
    for (int y = 0; y < section.Height; ++y) {
        std::memcpy(bits + y * rowBytes, canvasRow(y), rowBytes);
    }
    {
        TSelection fontSelected(section.Dc.Get(), letters.Font.Get());
        SetBkMode(section.Dc.Get(), TRANSPARENT);
        SetTextColor(section.Dc.Get(), ColourRefOf(letters.Colour));
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
