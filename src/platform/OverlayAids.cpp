#include "platform/OverlayAids.h"

#include "platform/Display.h"

#include <cstring>

namespace {

std::int64_t Area(const TCaptureRegion& r) {
    return IsEmpty(r) ? 0 : std::int64_t{r.Right - r.Left} * (r.Bottom - r.Top);
}

TCaptureRegion Bounds(const TCaptureRegion& a, const TCaptureRegion& b) {
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
            std::max(a.Bottom, b.Bottom)};
}

// The outline's four edges, not overlapping one another, so that a large window's outline
// never becomes one large area.
void AddOutlineEdges(const TCaptureRegion& r, std::vector<TCaptureRegion>& out,
                     std::int32_t w = kOutlineWidth) {
    if (IsEmpty(r)) {
        return;
    }
    const TCaptureRegion edges[] = {
        {r.Left, r.Top, r.Right, std::min(r.Top + w, r.Bottom)},
        {r.Left, std::max(r.Bottom - w, r.Top + w), r.Right, r.Bottom},
        {r.Left, r.Top + w, std::min(r.Left + w, r.Right), r.Bottom - w},
        {std::max(r.Right - w, r.Left + w), r.Top + w, r.Right, r.Bottom - w}};
    for (const TCaptureRegion& edge : edges) {
        if (!IsEmpty(edge)) {
            out.push_back(edge);
        }
    }
}

void AddBox(const TCaptureRegion& r, std::vector<TCaptureRegion>& out) {
    if (!IsEmpty(r)) {
        out.push_back(r);
    }
}

void Put(std::uint8_t* out, std::ptrdiff_t stride, const TCaptureRegion& area, std::int32_t x,
         std::int32_t y, std::uint32_t colour) {
    std::memcpy(out + (y - area.Top) * stride + 4 * std::ptrdiff_t{x - area.Left}, &colour, 4);
}

// The snapshot's pixels by screen position, white off it.
struct TSnapshotPixels {
    explicit TSnapshotPixels(const TScreenPixels& snapshot)
        : View(snapshot.View()), Left(snapshot.Left + snapshot.OffsetX),
          Top(snapshot.Top + snapshot.OffsetY) {}
    std::uint32_t At(std::int32_t x, std::int32_t y) const {
        const std::int64_t vx = std::int64_t{x} - Left, vy = std::int64_t{y} - Top;
        if (vx < 0 || vy < 0 || vx >= View.Width || vy >= View.Height) {
            return 0xFFFFFF;
        }
        std::uint32_t pixel;
        std::memcpy(&pixel, View.Row(static_cast<std::int32_t>(vy)) + 4 * vx, 4);
        return pixel & 0xFFFFFF;
    }
    TPixels32View View;
    std::int32_t Left, Top;
};

void PaintSnapshot(const TSnapshotPixels& pixels, const TCaptureRegion& area, std::uint8_t* out,
                   std::ptrdiff_t stride) {
    const TPixels32View& view = pixels.View;
    const TCaptureRegion shown{pixels.Left, pixels.Top, pixels.Left + view.Width,
                               pixels.Top + view.Height};
    const TCaptureRegion part = Intersection(area, shown);
    for (std::int32_t y = area.Top; y < area.Bottom; ++y) {
        std::uint8_t* row = out + (y - area.Top) * stride;
        if (IsEmpty(part) || y < part.Top || y >= part.Bottom) {
            std::memset(row, 0xFF, 4 * std::size_t(area.Right - area.Left));
            continue;
        }
        std::memset(row, 0xFF, 4 * std::size_t(part.Left - area.Left));
        std::memcpy(row + 4 * (part.Left - area.Left),
                    view.Row(y - shown.Top) + 4 * (part.Left - shown.Left),
                    4 * std::size_t(part.Right - part.Left));
        std::memset(row + 4 * (part.Right - area.Left), 0xFF,
                    4 * std::size_t(area.Right - part.Right));
    }
}

// The rectangle around every button; empty for none.
TCaptureRegion ButtonsBox(const TOverlayAids& aids) {
    TCaptureRegion box;
    for (const TOverlayAids::TButton& button : aids.Buttons) {
        box = IsEmpty(box) ? button.Box : Bounds(box, button.Box);
    }
    return box;
}

void Fill(const TCaptureRegion& box, const TCaptureRegion& area, std::uint32_t colour,
          std::uint8_t* out, std::ptrdiff_t stride) {
    const TCaptureRegion part = Intersection(box, area);
    for (std::int32_t y = part.Top; y < part.Bottom; ++y) {
        for (std::int32_t x = part.Left; x < part.Right; ++x) {
            Put(out, stride, area, x, y, colour);
        }
    }
}

void PaintMagnifier(const TSnapshotPixels& pixels, const TOverlayAids& aids,
                    const TCaptureRegion& area, std::uint8_t* out, std::ptrdiff_t stride) {
    const TCaptureRegion& box = aids.Magnifier;
    const std::int32_t zoom = std::max(aids.Zoom, 1);
    const std::int32_t half = aids.Cells / 2;
    const TCaptureRegion part = Intersection(box, area);
    for (std::int32_t y = part.Top; y < part.Bottom; ++y) {
        const std::int32_t cellY = (y - box.Top - 1) / zoom;
        for (std::int32_t x = part.Left; x < part.Right; ++x) {
            const std::int32_t cellX = (x - box.Left - 1) / zoom;
            const bool inside = x > box.Left && y > box.Top && cellX < aids.Cells &&
                                cellY < aids.Cells && x < box.Right - 1 && y < box.Bottom - 1;
            Put(out, stride, area, x, y,
                inside ? pixels.At(aids.MagnifiedAt.X - half + cellX,
                                   aids.MagnifiedAt.Y - half + cellY)
                       : kAidBorderColour);
        }
    }
    // The centre pixel framed just outside its cell, dark over light and light over dark.
    const std::uint32_t centre = pixels.At(aids.MagnifiedAt.X, aids.MagnifiedAt.Y);
    const std::uint32_t light =
        (centre >> 16 & 0xFF) * 3 + (centre >> 8 & 0xFF) * 6 + (centre & 0xFF);
    const std::uint32_t mark = light > 1280 ? 0x000000 : 0xFFFFFF;
    const std::int32_t left = box.Left + 1 + half * zoom - 1;
    const std::int32_t top = box.Top + 1 + half * zoom - 1;
    const TCaptureRegion frame{left, top, left + zoom + 2, top + zoom + 2};
    for (std::int32_t y = frame.Top; y < frame.Bottom; ++y) {
        for (std::int32_t x = frame.Left; x < frame.Right; ++x) {
            const bool edge =
                x == frame.Left || x == frame.Right - 1 || y == frame.Top || y == frame.Bottom - 1;
            if (edge && Contains(area, {x, y})) {
                Put(out, stride, area, x, y, mark);
            }
        }
    }
}

} // namespace

std::vector<TCaptureRegion> AidAreas(const TOverlayAids& aids) {
    std::vector<TCaptureRegion> areas;
    AddOutlineEdges(aids.Outline, areas);
    AddBox(aids.Magnifier, areas);
    AddBox(aids.Readout, areas);
    AddBox(ButtonsBox(aids), areas);
    AddBox(aids.Tip, areas);
    AddBox(aids.Hint, areas);
    for (const TCaptureRegion& handle : aids.Handles) {
        AddBox(handle, areas);
    }
    return areas;
}

void JoinOverlapping(std::vector<TCaptureRegion>& areas) {
    for (bool joined = true; joined;) {
        joined = false;
        for (std::size_t i = 0; i < areas.size() && !joined; ++i) {
            for (std::size_t j = i + 1; j < areas.size() && !joined; ++j) {
                const TCaptureRegion both = Bounds(areas[i], areas[j]);
                if (Area(both) <= Area(areas[i]) + Area(areas[j])) {
                    areas[i] = both;
                    areas.erase(areas.begin() + static_cast<std::ptrdiff_t>(j));
                    joined = true;
                }
            }
        }
    }
}

std::vector<TAidText> AidTexts(const TOverlayAids& aids) {
    std::vector<TAidText> texts;
    if (!IsEmpty(aids.Readout)) {
        texts.push_back({aids.Readout, aids.ReadoutText});
    }
    for (const TOverlayAids::TButton& button : aids.Buttons) {
        if (!button.Label.empty()) {
            texts.push_back({button.Box, button.Label});
        }
    }
    if (!IsEmpty(aids.Tip)) {
        texts.push_back({aids.Tip, aids.TipText});
    }
    if (!IsEmpty(aids.Hint)) {
        texts.push_back({aids.Hint, aids.HintText});
    }
    return texts;
}

std::vector<TCaptureRegion> ChangedAreas(const TOverlayAids& before, const TOverlayAids& after) {
    std::vector<TCaptureRegion> areas;
    if (before.Outline != after.Outline) {
        AddOutlineEdges(before.Outline, areas);
        AddOutlineEdges(after.Outline, areas);
    }
    if (before.Magnifier != after.Magnifier || before.MagnifiedAt != after.MagnifiedAt ||
        before.Zoom != after.Zoom || before.Cells != after.Cells) {
        AddBox(before.Magnifier, areas);
        AddBox(after.Magnifier, areas);
    }
    if (before.Readout != after.Readout || before.ReadoutText != after.ReadoutText ||
        before.TextHeight != after.TextHeight) {
        AddBox(before.Readout, areas);
        AddBox(after.Readout, areas);
    }
    if (before.Buttons != after.Buttons || before.TextHeight != after.TextHeight) {
        AddBox(ButtonsBox(before), areas);
        AddBox(ButtonsBox(after), areas);
    }
    if (before.Tip != after.Tip || before.TipText != after.TipText ||
        before.TextHeight != after.TextHeight) {
        AddBox(before.Tip, areas);
        AddBox(after.Tip, areas);
    }
    if (before.Hint != after.Hint || before.HintText != after.HintText ||
        before.TextHeight != after.TextHeight) {
        AddBox(before.Hint, areas);
        AddBox(after.Hint, areas);
    }
    if (before.Handles != after.Handles) {
        for (const auto* handles : {&before.Handles, &after.Handles}) {
            for (const TCaptureRegion& handle : *handles) {
                AddBox(handle, areas);
            }
        }
    }
    JoinOverlapping(areas);
    return areas;
}

void PaintAids(const TScreenPixels& snapshot, const TScreenPixels* marks, const TOverlayAids& aids,
               const TCaptureRegion& area, std::uint8_t* out, std::ptrdiff_t stride) {
    const TSnapshotPixels pixels(snapshot);
    PaintSnapshot(pixels, area, out, stride);
    if (marks) {
        // The marks' block over the snapshot, where it lies in the area.
        CopyPixels32(
            {out, area.Right - area.Left, area.Bottom - area.Top, stride, area.Left, area.Top},
            marks->View(), std::int64_t{marks->Left} + marks->OffsetX,
            std::int64_t{marks->Top} + marks->OffsetY);
    }
    // The outline in colour, with a white line inside it, so that it shows on any background.
    std::vector<TCaptureRegion> outline, inner;
    AddOutlineEdges(aids.Outline, outline);
    const TCaptureRegion& o = aids.Outline;
    const std::int32_t w = kOutlineWidth - 1;
    AddOutlineEdges({o.Left + w, o.Top + w, o.Right - w, o.Bottom - w}, inner, 1);
    for (const TCaptureRegion& edge : outline) {
        Fill(edge, area, kOutlineColour, out, stride);
    }
    for (const TCaptureRegion& edge : inner) {
        Fill(edge, area, 0xFFFFFF, out, stride);
    }
    for (const TCaptureRegion& h : aids.Handles) {
        Fill(h, area, kOutlineColour, out, stride);
        Fill({h.Left + 1, h.Top + 1, h.Right - 1, h.Bottom - 1}, area, 0xFFFFFF, out, stride);
    }
    if (!IsEmpty(aids.Magnifier)) {
        PaintMagnifier(pixels, aids, area, out, stride);
    }
    if (!IsEmpty(aids.Readout)) {
        const TCaptureRegion& r = aids.Readout;
        Fill(r, area, kAidBorderColour, out, stride);
        Fill({r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, area, kReadoutBackground, out,
             stride);
    }
    for (const TOverlayAids::TButton& button : aids.Buttons) {
        // A chosen button has a white border two pixels wide, the others a grey one.
        const TCaptureRegion& b = button.Box;
        const std::int32_t border = button.Chosen ? 2 : 1;
        Fill(b, area, button.Chosen ? 0xFFFFFF : kAidBorderColour, out, stride);
        Fill({b.Left + border, b.Top + border, b.Right - border, b.Bottom - border}, area,
             button.Face, out, stride);
    }
    for (const TCaptureRegion* r : {&aids.Tip, &aids.Hint}) {
        if (!IsEmpty(*r)) {
            Fill(*r, area, kAidBorderColour, out, stride);
            Fill({r->Left + 1, r->Top + 1, r->Right - 1, r->Bottom - 1}, area, kReadoutBackground,
                 out, stride);
        }
    }
}

std::int32_t TextWidth(const std::string& text, std::int32_t height) {
    std::int32_t halves = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        halves += byte < 0x80 ? 1 : byte >= 0xC0 ? 2 : 0;
    }
    return (halves * height + 1) / 2;
}
