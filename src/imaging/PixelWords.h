#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// Unaligned machine words of pixel memory. Every target of this program is little-endian, so
// a 32-bit pixel read as a word is red << 16 | green << 8 | blue, with the unused byte on top.

inline std::uint32_t Load32(const std::uint8_t* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

inline void Store32(std::uint8_t* p, std::uint32_t v) {
    std::memcpy(p, &v, 4);
}

inline std::uint64_t Load64(const std::uint8_t* p) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

inline void Store64(std::uint8_t* p, std::uint64_t v) {
    std::memcpy(p, &v, 8);
}

// Copies `count` 32-bit pixels with the unused top byte cleared.
inline void CopyColours32(std::uint8_t* to, const std::uint8_t* from, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        Store32(to + 4 * i, Load32(from + 4 * i) & 0x00FFFFFFu);
    }
}
