#include "app/MarkedPicture.h"

#include "imaging/MarkShapes.h"
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

void TMarkedPicture::Repaint(const std::vector<TMark>& marks, const TMarkStyle& style,
                             IOverlay& overlay) {
    FPlaced = FFrozen;
    for (const TMark& mark : marks) {
        PaintMark(Canvas(FPlaced), mark, style, overlay);
    }
    FShown = FPlaced;
    FPreviewAreas.clear();
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
