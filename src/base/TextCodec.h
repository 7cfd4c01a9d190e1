#pragma once

#include <cstdint>
#include <vector>

// Code page 932 as the platform itself defines it, read once to build the program's tables.
// Decode: for every single byte (code below 0x100) and every lead-trail pair (lead << 8 |
// trail), its character, or 0 where the platform has none (the NUL byte aside). Encode: for
// every character of the Basic Multilingual Plane that some code decodes to, the code the
// platform writes for it (its choice among duplicates), or 0.
struct TCp932Mapping {
    std::vector<char32_t> Decode;      // 0x10000 entries
    std::vector<std::uint16_t> Encode; // 0x10000 entries
};
TCp932Mapping PlatformCp932Mapping();
