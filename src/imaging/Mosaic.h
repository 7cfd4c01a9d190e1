#pragma once

#include "base/CaptureRegion.h"

#include <cstddef>
#include <cstdint>

// Hides what `area` shows: its pixels become blocks of `blockSize` x `blockSize`, aligned to the
// area's top-left corner, each pixel of a block its rounded mean colour. At the area's right and
// bottom a remainder of less than half a block joins the block before it, so no block is a
// sliver that keeps what the screen showed; the blocks are cut where the picture ends.
// Works on 32-bit pixels (blue, green, red, unused; rows from the top) before any depth is
// applied, so every build gives the same bytes. The area is clipped to the picture.
void MosaicPixels32(std::uint8_t* bgrx, std::int32_t width, std::int32_t height,
                    std::ptrdiff_t stride, const TCaptureRegion& area, std::int32_t blockSize);
