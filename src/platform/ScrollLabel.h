#pragma once

#include "base/CaptureRegion.h"

#include <cstdint>
#include <optional>

// Pixels between a scrolling capture's rectangle and its label: the frame's edge and a gap.
inline constexpr std::int32_t kScrollFrameEdge = 3;
inline constexpr std::int32_t kScrollLabelGap = kScrollFrameEdge + 2;

// Where a label of that size goes beside the rectangle on its monitor, never on it: below it,
// else above, else right of it, else left; nowhere where none has room.
std::optional<TCaptureRegion> PlaceScrollLabel(const TCaptureRegion& rect,
                                               const TCaptureRegion& monitor, std::int32_t width,
                                               std::int32_t height);
