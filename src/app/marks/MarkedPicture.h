#pragma once

#include "base/Mark.h"
#include "base/PointerPicture.h"
#include "platform/Overlay.h"

#include <cstdint>
#include <optional>
#include <vector>

// The selection as the marks make it, shown over the frozen screen and saved as it is shown:
// the snapshot's pixels of the selection (white off it, the pointer in when it is captured),
// the marks placed so far painted over them in order, and over those the one being drawn.
class TMarkedPicture final : public TScreenPixels {
public:
    TMarkedPicture(const TScreenPixels& snapshot, const TCaptureRegion& selection,
                   const std::optional<TPointerPicture>& pointer);

    TPixels32View View() const override;

    // The mark being drawn, in place of the one shown before; returns the parts that changed.
    std::vector<TCaptureRegion> Preview(const TMark& mark, const TMarkStyle& style,
                                        IOverlay& overlay);
    // The mark last previewed becomes one of the placed ones; returns the parts it painted.
    std::vector<TCaptureRegion> Place();
    // Takes away the mark being drawn; returns the parts that changed.
    std::vector<TCaptureRegion> EndPreview();
    // Paints those parts again from the frozen pixels with `marks` over them in order, exactly as
    // painting all of them on the whole would; returns the parts painted (widened to whole
    // mosaics, whose blocks depend on all of what lies under them).
    std::vector<TCaptureRegion> Repaint(const std::vector<TMark>& marks,
                                        std::vector<TCaptureRegion> areas, const TMarkStyle& style,
                                        IOverlay& overlay);

private:
    TPixels32Canvas Canvas(std::vector<std::uint8_t>& pixels);
    void CopyAreas(const std::vector<std::uint8_t>& from, std::vector<std::uint8_t>& to,
                   const std::vector<TCaptureRegion>& areas) const;

    std::int32_t FWidth, FHeight;
    std::vector<std::uint8_t> FFrozen; // the selection as the snapshot showed it
    std::vector<std::uint8_t> FPlaced; // with the marks placed
    std::vector<std::uint8_t> FShown;  // with the one being drawn
    std::vector<TCaptureRegion> FPreviewAreas;
};

// Paints one mark on the canvas, the platform drawing what needs a font; returns the parts it
// changed.
std::vector<TCaptureRegion> PaintMark(const TPixels32Canvas& canvas, const TMark& mark,
                                      const TMarkStyle& style, IOverlay& overlay);

// Where the mark may paint (MarkAreas, with the platform's letters).
std::vector<TCaptureRegion> AreasOf(const TMark& mark, const TMarkStyle& style, IOverlay& overlay);
