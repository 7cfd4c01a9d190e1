#pragma once

#include "base/CaptureRegion.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TScreenPixels;

// What the overlay shows over its snapshot to help a selection, in screen positions. None of
// it is ever captured: a capture takes the snapshot's own pixels.
inline constexpr std::uint32_t kButtonFace = 0x202020;

struct TOverlayAids {
    // The rectangle a click would take, outlined inside its edges; empty for none.
    TCaptureRegion Outline;
    // The magnifier's box (empty for none): Cells x Cells pixels of the snapshot centred on
    // MagnifiedAt, each Zoom pixels wide, within a border of one pixel.
    TCaptureRegion Magnifier;
    TScreenPoint MagnifiedAt;
    std::int32_t Zoom = 8;
    std::int32_t Cells = 15;
    // The readout's box (empty for none) and its line of text, TextHeight pixels high.
    TCaptureRegion Readout;
    std::string ReadoutText;
    std::int32_t TextHeight = 14;
    // The marks' toolbar: its buttons, and the tool tip of the one under the pointer.
    struct TButton {
        TCaptureRegion Box;
        std::string Label;
        std::uint32_t Face = kButtonFace;
        bool Chosen = false;
        bool operator==(const TButton&) const = default;
    };
    std::vector<TButton> Buttons;
    TCaptureRegion Tip;
    std::string TipText;
    // The selected mark's handles: white squares in a border of the outline's colour.
    std::vector<TCaptureRegion> Handles;
    // What the frozen screen is for, a line at the top of the monitor (empty box for none).
    TCaptureRegion Hint;
    std::string HintText;

    bool operator==(const TOverlayAids&) const = default;
};

// A line of text the aids show, centred in its box.
struct TAidText {
    TCaptureRegion Box;
    std::string_view Text;
};
// The readout's, the buttons' and the tool tip's texts, in the order painted; they view the
// aids' own strings.
std::vector<TAidText> AidTexts(const TOverlayAids& aids);

inline constexpr std::int32_t kOutlineWidth = 3;          // two in colour, one white inside
inline constexpr std::uint32_t kOutlineColour = 0x0078D7; // red << 16 | green << 8 | blue
inline constexpr std::uint32_t kReadoutBackground = 0x202020;
inline constexpr std::uint32_t kReadoutTextColour = 0xFFFFFF;
inline constexpr std::uint32_t kAidBorderColour = 0x808080;

// The parts of the screen that must be painted again when the aids change from `before` to
// `after`: what either shows, for the aids that differ. Parts that mostly overlap (a box and
// where it moved) are joined into one, so that one paint moves it.
std::vector<TCaptureRegion> ChangedAreas(const TOverlayAids& before, const TOverlayAids& after);

// Joins parts into the rectangle around them wherever that paints no more than they do.
void JoinOverlapping(std::vector<TCaptureRegion>& areas);

// The parts of the screen the aids cover.
std::vector<TCaptureRegion> AidAreas(const TOverlayAids& aids);

// Paints `area` of the overlay as the snapshot, the marks over it (none for null) and the aids
// show it, the aids' texts left to the caller: `out` holds the area's rows, `stride` bytes apart,
// 32-bit pixels as the snapshot's. Parts of the area off the snapshot are white.
void PaintAids(const TScreenPixels& snapshot, const TScreenPixels* marks, const TOverlayAids& aids,
               const TCaptureRegion& area, std::uint8_t* out, std::ptrdiff_t stride);

// A line's width in the interface's font at that height, about: a full-width character is as
// wide as the font is high, a half-width one half as wide.
std::int32_t TextWidth(const std::string& text, std::int32_t height);
