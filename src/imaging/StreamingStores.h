#pragma once

#include <cstddef>
#include <cstdint>

// Writing a large store without reading it first. A frame bigger than the caches, written row
// by row from the bottom up, makes ordinary stores fetch every line before overwriting it;
// streaming stores send the bytes straight to memory. Only worth it when nothing reads the
// rows back soon, so drawing uses them for stores larger than the caches.

// Copies `count` 32-bit pixels with their unused top byte cleared.
void StreamMasked32(std::uint8_t* to, const std::uint8_t* from, std::size_t count);

// Orders the streamed bytes before whatever the caller stores next.
void StreamFence();
