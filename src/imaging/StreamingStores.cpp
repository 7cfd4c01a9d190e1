#include "imaging/StreamingStores.h"

#include "imaging/PixelWords.h"

#include <algorithm>

#if defined(__SSE2__)

#include <emmintrin.h>

void StreamMasked32(std::uint8_t* to, const std::uint8_t* from, std::size_t count) {
    const auto offset = reinterpret_cast<std::uintptr_t>(to) % 16;
    if (offset % 4 != 0) {
        CopyColours32(to, from, count); // no pixel of this row is on a 16-byte boundary
        return;
    }
    // Up to three pixels before the first 16-byte boundary.
    const std::size_t head = std::min<std::size_t>(count, (16 - offset) % 16 / 4);
    CopyColours32(to, from, head);
    std::size_t i = head;
    const __m128i mask = _mm_set1_epi32(0x00FFFFFF);
    for (; i + 4 <= count; i += 4) {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 4 * i));
        _mm_stream_si128(reinterpret_cast<__m128i*>(to + 4 * i), _mm_and_si128(pixels, mask));
    }
    CopyColours32(to + 4 * i, from + 4 * i, count - i);
}

void StreamFence() {
    _mm_sfence();
}

#else

void StreamMasked32(std::uint8_t* to, const std::uint8_t* from, std::size_t count) {
    CopyColours32(to, from, count);
}

void StreamFence() {}

#endif
