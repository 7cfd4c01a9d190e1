#include "imaging/StreamingStores.h"

#include "imaging/PixelWords.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::uint32_t kColourBits = 0x00FFFFFFu;

} // namespace

#if defined(__SSE2__)

void StreamMasked32(std::uint8_t* to, const std::uint8_t* from, std::size_t count) {
    std::size_t i = 0;
    // A row of 32-bit pixels starts on a 4-byte boundary: at most three pixels before the
    // first 16-byte one.
    for (; i < count && reinterpret_cast<std::uintptr_t>(to + 4 * i) % 16 != 0; ++i) {
        Store32(to + 4 * i, Load32(from + 4 * i) & kColourBits);
    }
    const __m128i mask = _mm_set1_epi32(static_cast<int>(kColourBits));
    for (; i + 4 <= count; i += 4) {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 4 * i));
        _mm_stream_si128(reinterpret_cast<__m128i*>(to + 4 * i), _mm_and_si128(pixels, mask));
    }
    for (; i < count; ++i) {
        Store32(to + 4 * i, Load32(from + 4 * i) & kColourBits);
    }
}

void StreamFence() {
    _mm_sfence();
}

#else

void StreamMasked32(std::uint8_t* to, const std::uint8_t* from, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        Store32(to + 4 * i, Load32(from + 4 * i) & kColourBits);
    }
}

void StreamFence() {}

#endif
