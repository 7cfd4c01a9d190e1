#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The program's one rule for reading an integer from text (settings values, spin boxes):
// leading spaces, an optional sign, then decimal digits or a hexadecimal number after "$", "x",
// "X", "0x" or "0X". The whole text must be the number. Decimal values must fit in signed 32
// bits after the sign; hexadecimal values may use all 32 bits (80000000-FFFFFFFF are negative).
std::optional<std::int32_t> ParseNumberText(std::string_view text);
