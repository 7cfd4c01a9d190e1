#include "app/marks/MarkedPicture.h"

#include "app/marks/MarkGeometry.h"
#include "imaging/MarkShapes.h"
#include "imaging/StrokeShapes.h"
#include "platform/OverlayAids.h"
#include "imaging/PointerPatch.h"

#include <algorithm>
#include <cstring>
#include <utility>

TMarkedPicture::TMarkedPicture(const TScreenPixels& snapshot, const TCaptureRegion& selection,
                               const std::optional<TPointerPicture>& pointer)
    : FWidth(selection.Right - selection.Left), FHeight(selection.Bottom - selection.Top),
      FFrozen(4 * std::size_t(FWidth) * std::size_t(FHeight), 0xFF) {
    Left = selection.Left;
    Top = selection.Top;
    const TPixels32Canvas frozen = Canvas(FFrozen);
    const std::int64_t snapshotLeft = std::int64_t{snapshot.Left} + snapshot.OffsetX;
    const std::int64_t snapshotTop = std::int64_t{snapshot.Top} + snapshot.OffsetY;
    CopyPixels32(frozen, snapshot.View(), snapshotLeft, snapshotTop);
    if (pointer) {
        const std::vector<std::uint8_t> patch =
            PointerPatch(*pointer, snapshot.View(), snapshotLeft, snapshotTop);
        CopyPixels32(frozen, PatchView(*pointer, patch), pointer->Left, pointer->Top);
    }
    FPlaced = FFrozen;
    FShown = FFrozen;
}

TPixels32Canvas TMarkedPicture::Canvas(std::vector<std::uint8_t>& pixels) {
    return {pixels.data(), FWidth, FHeight, std::ptrdiff_t{FWidth} * 4, Left, Top};
}

TPixels32View TMarkedPicture::View() const {
    return {FShown.data(), FWidth, FHeight, std::ptrdiff_t{FWidth} * 4};
}

void TMarkedPicture::CopyAreas(const std::vector<std::uint8_t>& from, std::vector<std::uint8_t>& to,
                               const std::vector<TCaptureRegion>& areas) const {
    const std::ptrdiff_t stride = std::ptrdiff_t{FWidth} * 4;
    for (const TCaptureRegion& area : areas) {
        for (std::int32_t y = area.Top; y < area.Bottom; ++y) {
            const std::ptrdiff_t at = (y - Top) * stride + 4 * std::ptrdiff_t{area.Left - Left};
            std::memcpy(to.data() + at, from.data() + at, 4 * std::size_t(area.Right - area.Left));
        }
    }
}

std::vector<TCaptureRegion> TMarkedPicture::Preview(const TMark& mark, const TMarkStyle& style,
                                                    IOverlay& overlay) {
    std::vector<TCaptureRegion> changed = EndPreview();
    FPreviewAreas = PaintMark(Canvas(FShown), mark, style, overlay);
    changed.insert(changed.end(), FPreviewAreas.begin(), FPreviewAreas.end());
    return changed;
}

std::vector<TCaptureRegion> TMarkedPicture::Place() {
    CopyAreas(FShown, FPlaced, FPreviewAreas);
    return std::exchange(FPreviewAreas, {});
}

std::vector<TCaptureRegion> TMarkedPicture::EndPreview() {
    CopyAreas(FPlaced, FShown, FPreviewAreas);
    return std::exchange(FPreviewAreas, {});
}

std::vector<TCaptureRegion> TMarkedPicture::Repaint(const std::vector<TMark>& marks,
                                                    std::vector<TCaptureRegion> areas,
                                                    const TMarkStyle& style, IOverlay& overlay) {
    EndPreview();
    const TCaptureRegion whole{Left, Top, Left + FWidth, Top + FHeight};
    std::vector<std::vector<TCaptureRegion>> marksAreas;
    std::vector<TCaptureRegion> mosaics;
    for (const TMark& mark : marks) {
        marksAreas.push_back(AreasOf(mark, style, overlay));
        if (mark.Tool == TMarkTool::Mosaic) {
            mosaics.push_back(marksAreas.back().front());
        }
    }
    JoinOverlapping(areas);
    std::vector<TCaptureRegion> painted;
    for (TCaptureRegion area : areas) {
        // A part that meets a mosaic takes all of it, until no mosaic is cut.
        for (bool grown = true; grown;) {
            grown = false;
            for (const TCaptureRegion& mosaic : mosaics) {
                const TCaptureRegion both = Intersection(area, mosaic);
                if (!IsEmpty(both) && both != mosaic) {
                    area = {std::min(area.Left, mosaic.Left), std::min(area.Top, mosaic.Top),
                            std::max(area.Right, mosaic.Right),
                            std::max(area.Bottom, mosaic.Bottom)};
                    grown = true;
                }
            }
        }
        area = Intersection(area, whole);
        if (IsEmpty(area)) {
            continue;
        }
        CopyAreas(FFrozen, FPlaced, {area});
        TPixels32Canvas canvas = Canvas(FPlaced);
        canvas.Data = canvas.Row(area.Top - Top) + 4 * std::ptrdiff_t{area.Left - Left};
        canvas.Width = area.Right - area.Left;
        canvas.Height = area.Bottom - area.Top;
        canvas.Left = area.Left;
        canvas.Top = area.Top;
        for (std::size_t i = 0; i < marks.size(); ++i) {
            if (std::any_of(
                    marksAreas[i].begin(), marksAreas[i].end(),
                    [&](const TCaptureRegion& a) { return !IsEmpty(Intersection(a, area)); })) {
                PaintMark(canvas, marks[i], style, overlay);
            }
        }
        CopyAreas(FPlaced, FShown, {area});
        painted.push_back(area);
    }
    return painted;
}

std::vector<TCaptureRegion> AreasOf(const TMark& mark, const TMarkStyle& style, IOverlay& overlay) {
    const bool letters = mark.Tool == TMarkTool::Text || mark.Tool == TMarkTool::Step;
    return MarkAreas(mark, style, letters ? overlay.LettersBox(mark, style) : TCaptureRegion{});
}

std::vector<TCaptureRegion> PaintMark(const TPixels32Canvas& canvas, const TMark& mark,
                                      const TMarkStyle& style, IOverlay& overlay) {
    switch (mark.Tool) {
    case TMarkTool::Frame:
        return PaintFrame(canvas, DraggedBox(mark), style.LineWidth, mark.Colour);
    case TMarkTool::Highlighter:
        return PaintHighlight(canvas, DraggedBox(mark), kHighlighterColour);
    case TMarkTool::Mosaic:
        return PaintMosaic(canvas, DraggedBox(mark), style.MosaicBlock);
    case TMarkTool::Arrow:
        return PaintArrow(canvas, mark.From, mark.To, style.LineWidth, mark.Colour);
    case TMarkTool::Line:
        return PaintStroke(canvas, {mark.From, mark.To}, style.LineWidth, mark.Colour, false);
    case TMarkTool::Pen:
        return PaintStroke(canvas, mark.Points.empty() ? std::vector{mark.From} : mark.Points,
                           style.LineWidth, mark.Colour, true);
    case TMarkTool::Ellipse:
        return PaintEllipse(canvas, DraggedBox(mark), style.LineWidth, mark.Colour);
    case TMarkTool::Step:
    case TMarkTool::Text:
        break;
    }
    // The step's circle is ours, its number the platform's, as a text's letters are. What
    // the platform returns is held to the canvas: its areas are copied by row.
    std::vector<TCaptureRegion> changed;
    if (mark.Tool == TMarkTool::Step) {
        changed = PaintDisc(canvas, mark.From, style.StepRadius, mark.Colour);
    }
    for (const TCaptureRegion& area : overlay.DrawMark(mark, style, canvas)) {
        const TCaptureRegion part = Intersection(area, canvas.Area());
        if (!IsEmpty(part)) {
            changed.push_back(part);
        }
    }
    return changed;
}
