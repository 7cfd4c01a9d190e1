#pragma once

#include "platform/OverlayAids.h"
#include "platform/Display.h"
#include "win32/GdiHandles.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// What the overlay window shows: the frozen snapshot, the aids over it, and the XOR bands over
// both. A band is drawn on the window at once, exactly as the rectangle primitive XORs it, and
// remembered, so that repainting any part (a moved aid, an exposed window) shows the same band;
// drawing a band again erases it. Aids are painted a changed part at a time, through a small
// bitmap, never the whole snapshot; so are the marks over it.
class TOverlayPainter {
public:
    explicit TOverlayPainter(HWND window) : FWindow(window) {}

    // A new picture, or none: the bands and the aids go, and the window is painted anew.
    void SetPicture(std::shared_ptr<const TScreenPixels> picture);
    void DrawXorRectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
    void SetAids(const TOverlayAids& aids);
    // The marks' block over the picture; its changed parts are painted again at once.
    void SetMarks(std::shared_ptr<const TScreenPixels> marks,
                  const std::vector<TCaptureRegion>& changed);
    // WM_PAINT.
    void Paint();

private:
    using TBand = std::array<std::int32_t, 4>;
    // The window's top-left corner on the screen.
    POINT Origin() const;
    // Paints those parts on the window now, when it shows.
    void PaintNow(const std::vector<TCaptureRegion>& changed);
    // Paints a part of the screen (screen positions) on `target`, whose (0, 0) is at `origin`.
    void PaintArea(HDC target, POINT origin, const TCaptureRegion& area);
    void PaintTexts(HDC dc, POINT origin, const TCaptureRegion& area);
    static void XorBand(HDC dc, POINT origin, const TBand& band);

    HWND FWindow;
    std::shared_ptr<const TScreenPixels> FPicture;
    std::shared_ptr<const TScreenPixels> FMarks;
    std::vector<TBand> FBands;
    TOverlayAids FAids;
    TFontHandle FFont;
    std::int32_t FFontHeight = 0;
};
