#include "imaging/Palette.h"

#include <cassert>
#include <memory>
#include <mutex>
#include <utility>

namespace {

constexpr std::array<TRgb, 20> kStaticColours = {{
    {0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
    {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
    {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
    {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
}};

const TPalette kBlackAndWhite = {{0, 0, 0}, {255, 255, 255}};
const TPalette kNoPalette;

std::mutex& PalettesLock() {
    static std::mutex lock;
    return lock;
}

std::shared_ptr<const TDisplayPalettes>& CurrentPalettes() {
    static std::shared_ptr<const TDisplayPalettes> current =
        std::make_shared<const TDisplayPalettes>(
            TDisplayPalettes{BuildStandardPalette16(0, {}), TrueColourHalftonePalette()});
    return current;
}

} // namespace

const std::array<TRgb, 16>& StoredStandardPalette16() {
    static constexpr std::array<TRgb, 16> stored = {{
        {0, 0, 0},
        {128, 0, 0},
        {0, 128, 0},
        {128, 128, 0},
        {0, 0, 128},
        {128, 0, 128},
        {0, 128, 128},
        {128, 128, 128},
        {192, 192, 192},
        {255, 0, 0},
        {0, 255, 0},
        {255, 255, 0},
        {0, 0, 255},
        {255, 0, 255},
        {0, 255, 255},
        {255, 255, 255},
    }};
    return stored;
}

TPalette BuildStandardPalette16(int hardwarePaletteSize, const TPalette& systemPalette) {
    const auto& stored = StoredStandardPalette16();
    TPalette result(stored.begin(), stored.end());
    const int size = hardwarePaletteSize;
    if (size < 16 || static_cast<int>(systemPalette.size()) < size) {
        return result;
    }
    for (int i = 0; i < 8; ++i) {
        result[i] = systemPalette[i];
    }
    if (result[7] == TRgb{192, 192, 192}) {
        result[7] = systemPalette[size - 8];
        result[8] = systemPalette[7];
        for (int i = 9; i < 16; ++i) {
            result[i] = systemPalette[size - 16 + i];
        }
    } else {
        for (int i = 8; i < 16; ++i) {
            result[i] = systemPalette[size - 16 + i];
        }
    }
    return result;
}

TPalette TrueColourHalftonePalette() {
    TPalette palette(256);
    for (int i = 0; i < 256; ++i) {
        palette[i] = {static_cast<std::uint8_t>((i & 7) << 5),
                      static_cast<std::uint8_t>(((i >> 3) & 7) << 5),
                      static_cast<std::uint8_t>((i >> 6) << 6)};
    }
    for (int i = 0; i < 10; ++i) {
        palette[i] = kStaticColours[i];
        palette[246 + i] = kStaticColours[10 + i];
    }
    return palette;
}

void SetDisplayPalettes(TDisplayPalettes palettes) {
    assert(palettes.Standard16.size() == 16 && palettes.Halftone.size() == 256);
    auto next = std::make_shared<const TDisplayPalettes>(std::move(palettes));
    std::lock_guard guard(PalettesLock());
    // Bitmaps may still hold references to the tables in force before: keep them alive.
    static std::vector<std::shared_ptr<const TDisplayPalettes>> retired;
    retired.push_back(std::exchange(CurrentPalettes(), std::move(next)));
}

const TDisplayPalettes& DisplayPalettes() {
    std::lock_guard guard(PalettesLock());
    return *CurrentPalettes();
}

const TPalette& PaletteForBits(int bitsPerPixel) {
    switch (bitsPerPixel) {
    case 1:
        return kBlackAndWhite;
    case 4:
        return DisplayPalettes().Standard16;
    case 8:
        return DisplayPalettes().Halftone;
    default:
        return kNoPalette;
    }
}
