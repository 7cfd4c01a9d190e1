#include "imaging/PointerPatch.h"

#include <gtest/gtest.h>

namespace {

TEST(PointerPatch, EachPixelAsTheScreenDrawsItOverWhatLiesUnder) {
    // One pixel each: opaque, transparent, translucent, inverting; over a known block.
    struct Row {
        const char* what;
        std::uint32_t overBlack, overWhite, under, drawn;
    } rows[] = {
        {"opaque", 0x102030, 0x102030, 0x998877, 0x102030},
        {"transparent", 0x000000, 0xFFFFFF, 0x998877, 0x998877},
        {"half opaque white", 0x808080, 0xFFFFFF, 0x000000, 0x808080},
        {"half opaque black", 0x000000, 0x7F7F7F, 0xFFFFFF, 0x7F7F7F},
        {"inverting", 0xFFFFFF, 0x000000, 0x998877, 0x667788},
        {"inverting grey", 0xFFFFFF, 0x000000, 0x808080, 0x7F7F7F},
    };
    for (const Row& row : rows) {
        TPointerPicture pointer{5, 7, 1, 1, {row.overBlack}, {row.overWhite}};
        const std::uint8_t under[4] = {std::uint8_t(row.under), std::uint8_t(row.under >> 8),
                                       std::uint8_t(row.under >> 16), 0};
        const TPixels32View block{under, 1, 1, 4};
        const std::vector<std::uint8_t> patch = PointerPatch(pointer, block, 5, 7);
        const std::uint32_t drawn = patch[0] | (patch[1] << 8) | (patch[2] << 16);
        EXPECT_EQ(drawn, row.drawn) << row.what;
    }
    // Where the block holds nothing (off every screen) the pointer is drawn over white.
    TPointerPicture pointer{0, 0, 1, 1, {0x000000}, {0xFFFFFF}};
    const std::uint8_t none[4] = {};
    EXPECT_EQ(PointerPatch(pointer, {none, 1, 1, 4}, 10, 10)[0], 0xFF);
}

} // namespace
