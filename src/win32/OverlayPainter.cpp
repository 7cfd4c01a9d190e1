#include "win32/OverlayPainter.h"

#include "win32/ColourRef.h"
#include "win32/DibSection.h"
#include "win32/WideText.h"
#include "win32/dialogs/UiFont.h"

#include <algorithm>

POINT TOverlayPainter::Origin() const {
    POINT origin{0, 0};
    ClientToScreen(FWindow, &origin);
    return origin;
}

void TOverlayPainter::SetPicture(std::shared_ptr<const TScreenPixels> picture) {
    FPicture = std::move(picture);
    FMarks.reset();
    FBands.clear();
    FAids = {};
    InvalidateRect(FWindow, nullptr, FALSE);
}

void TOverlayPainter::XorBand(HDC dc, POINT origin, const TBand& band) {
    TPenHandle pen(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
    TSelection penSelected(dc, pen.Get());
    TSelection brushSelected(dc, GetStockObject(NULL_BRUSH));
    const int oldMix = SetROP2(dc, R2_XORPEN);
    Rectangle(dc, band[0] - origin.x, band[1] - origin.y, band[2] - origin.x, band[3] - origin.y);
    SetROP2(dc, oldMix);
}

void TOverlayPainter::DrawXorRectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                       std::int32_t y2) {
    const TBand band{x1, y1, x2, y2};
    const auto drawn = std::find(FBands.begin(), FBands.end(), band);
    if (drawn != FBands.end()) {
        FBands.erase(drawn);
    } else {
        FBands.push_back(band);
    }
    TWindowDc dc(FWindow);
    if (!dc) {
        return;
    }
    XorBand(dc.Get(), Origin(), band); // screen positions, drawn at the window's
    GdiFlush(); // on the screen now: a capture right after must not see an older band
}

void TOverlayPainter::SetMarks(std::shared_ptr<const TScreenPixels> marks,
                               const std::vector<TCaptureRegion>& changed) {
    FMarks = std::move(marks);
    // A mark moved a little covers much of where it was: one paint for both.
    std::vector<TCaptureRegion> areas = changed;
    JoinOverlapping(areas);
    PaintNow(areas);
}

void TOverlayPainter::SetAids(const TOverlayAids& aids) {
    const std::vector<TCaptureRegion> changed = ChangedAreas(FAids, aids);
    FAids = aids;
    PaintNow(changed);
}

void TOverlayPainter::PaintNow(const std::vector<TCaptureRegion>& changed) {
    if (!FPicture || changed.empty() || !IsWindowVisible(FWindow)) {
        return;
    }
    TWindowDc dc(FWindow);
    if (!dc) {
        return;
    }
    const POINT origin = Origin();
    for (const TCaptureRegion& area : changed) {
        PaintArea(dc.Get(), origin, area);
    }
    GdiFlush();
}

void TOverlayPainter::PaintTexts(HDC dc, POINT origin, const TCaptureRegion& area) {
    const std::vector<TAidText> texts = AidTexts(FAids);
    if (texts.empty()) {
        return;
    }
    if (FFontHeight != FAids.TextHeight || !FFont) {
        FFont = CreateJapaneseFont(FAids.TextHeight, kUiFaces);
        FFontHeight = FAids.TextHeight;
    }
    TSelection fontSelected(dc, FFont.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColourRefOf(kReadoutTextColour));
    for (const TAidText& text : texts) {
        if (IsEmpty(Intersection(text.Box, area))) {
            continue;
        }
        RECT box{text.Box.Left - origin.x, text.Box.Top - origin.y, text.Box.Right - origin.x,
                 text.Box.Bottom - origin.y};
        const std::wstring wide = WideFromUtf8(text.Text);
        ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &box,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

void TOverlayPainter::PaintArea(HDC target, POINT origin, const TCaptureRegion& area) {
    const std::int32_t width = area.Right - area.Left, height = area.Bottom - area.Top;
    if (!FPicture || width <= 0 || height <= 0) {
        return;
    }
    const BITMAPINFO info = TopDown32(width, height);
    void* bits = nullptr;
    TBitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    TMemoryDc memory(CreateCompatibleDC(target));
    if (!bitmap || !memory || !bits) {
        return; // the part keeps what it showed; the next paint tries again
    }
    TSelection bitmapSelected(memory.Get(), bitmap.Get());
    PaintAids(*FPicture, FMarks.get(), FAids, area, static_cast<std::uint8_t*>(bits),
              std::ptrdiff_t{width} * 4);
    const POINT local{area.Left, area.Top};
    PaintTexts(memory.Get(), local, area);
    for (const TBand& band : FBands) {
        XorBand(memory.Get(), local, band);
    }
    BitBlt(target, area.Left - origin.x, area.Top - origin.y, width, height, memory.Get(), 0, 0,
           SRCCOPY);
}

void TOverlayPainter::Paint() {
    const TPaint paint(FWindow);
    if (!FPicture) {
        return;
    }
    const TPixels32View view = FPicture->View();
    BITMAPINFO info = TopDown32(static_cast<std::int32_t>(view.Stride / 4), view.Height);
    const POINT origin = Origin();
    SetDIBitsToDevice(paint.Get(), FPicture->Left + FPicture->OffsetX - origin.x,
                      FPicture->Top + FPicture->OffsetY - origin.y, static_cast<DWORD>(view.Width),
                      static_cast<DWORD>(view.Height), 0, 0, 0, static_cast<UINT>(view.Height),
                      view.Data, &info, DIB_RGB_COLORS);
    if (FMarks) {
        const TPixels32View marks = FMarks->View();
        BITMAPINFO marksInfo = TopDown32(static_cast<std::int32_t>(marks.Stride / 4), marks.Height);
        SetDIBitsToDevice(paint.Get(), FMarks->Left + FMarks->OffsetX - origin.x,
                          FMarks->Top + FMarks->OffsetY - origin.y, static_cast<DWORD>(marks.Width),
                          static_cast<DWORD>(marks.Height), 0, 0, 0,
                          static_cast<UINT>(marks.Height), marks.Data, &marksInfo, DIB_RGB_COLORS);
    }
    // The bands over the snapshot, then the aids' parts painted whole (bands included).
    for (const TBand& band : FBands) {
        XorBand(paint.Get(), origin, band);
    }
    for (const TCaptureRegion& area : AidAreas(FAids)) {
        PaintArea(paint.Get(), origin, area);
    }
}
