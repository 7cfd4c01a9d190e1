#pragma once

#include "base/Pixels32.h"
#include "base/PointerPicture.h"

#include <cstdint>
#include <vector>

// The pointer drawn over screen pixels, as the screen draws it: a pixel that gives b over black
// and w over white gives b + s (w - b) / 255 over s, channel by channel. That is exact for an
// opaque pixel (b = w), a transparent one (b = 0, w = 255), a translucent one, and one that
// inverts what lies under it (b = 255, w = 0).
//
// Returns the pointer's rectangle as 32-bit pixels (blue, green, red, 0; rows from the top),
// over the block of screen pixels whose top-left pixel is at (blockLeft, blockTop) on the
// screen; where the block holds nothing, over white, as a capture is there.
std::vector<std::uint8_t> PointerPatch(const TPointerPicture& pointer, const TPixels32View& block,
                                       std::int64_t blockLeft, std::int64_t blockTop);

// A view of such a patch.
TPixels32View PatchView(const TPointerPicture& pointer, const std::vector<std::uint8_t>& patch);
