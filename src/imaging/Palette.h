#pragma once

#include "base/Rgb.h"

#include <array>
#include <cstdint>
#include <vector>

// The sixteen colours of a 4-bit bitmap as stored, before the display's own colours override
// them.
const std::array<TRgb, 16>& StoredStandardPalette16();

// The stored table with the display override: a display with a hardware palette of 16 or more
// entries lends its system colours (the first eight, and the last eight or seven). True-colour
// displays report size 0 and keep the stored table.
TPalette BuildStandardPalette16(int hardwarePaletteSize, const TPalette& systemPalette);

// The 256 colours of the halftone palette Windows gives for a true-colour screen: the twenty
// static colours at 0-9 and 246-255, and the 3-3-2 colour cube between.
TPalette TrueColourHalftonePalette();

// What the display lends the bitmaps: set once at start-up; true-colour tables until then.
struct TDisplayPalettes {
    TPalette Standard16;
    TPalette Halftone;
};
void SetDisplayPalettes(TDisplayPalettes palettes);
const TDisplayPalettes& DisplayPalettes();

// The colour table of a store of that many bits: black and white, the standard sixteen, the
// halftone 256; empty above 8 bits.
const TPalette& PaletteForBits(int bitsPerPixel);
