#pragma once

#include <cstdint>
#include <vector>

// The mouse pointer as the screen shows it: its picture drawn once over black and once over
// white, pixels as red << 16 | green << 8 | blue, rows from the top, and where its top-left
// pixel is on the screen (its hot spot at the pointer's position). The two pictures tell each
// pixel's transparency, and the pixels that invert what lies under them.
struct TPointerPicture {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::vector<std::uint32_t> OverBlack;
    std::vector<std::uint32_t> OverWhite;
};
