#include "base/NumberText.h"

namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::optional<std::uint32_t> ParseHex(std::string_view digits) {
    if (digits.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : digits) {
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFu) {
            return std::nullopt;
        }
    }
    return static_cast<std::uint32_t>(value);
}

// Magnitude of a decimal number, capped just past what any 32-bit value needs.
std::optional<std::uint64_t> ParseDecimal(std::string_view digits) {
    if (digits.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > 0x80000000u) {
            return std::nullopt;
        }
    }
    return value;
}

} // namespace

std::optional<std::int32_t> ParseNumberText(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::string_view rest = text.substr(i);

    std::string_view hexDigits;
    bool isHex = true;
    if (rest.starts_with("0x") || rest.starts_with("0X")) {
        hexDigits = rest.substr(2);
    } else if (rest.starts_with('$') || rest.starts_with('x') || rest.starts_with('X')) {
        hexDigits = rest.substr(1);
    } else {
        isHex = false;
    }

    if (isHex) {
        const auto bits = ParseHex(hexDigits);
        if (!bits) {
            return std::nullopt;
        }
        // Two's complement on the unsigned value: "-80000000" in hex stays the lowest value.
        const std::uint32_t result = negative ? 0u - *bits : *bits;
        return static_cast<std::int32_t>(result);
    }

    const auto magnitude = ParseDecimal(rest);
    if (!magnitude) {
        return std::nullopt;
    }
    if (negative) {
        return static_cast<std::int32_t>(-static_cast<std::int64_t>(*magnitude));
    }
    if (*magnitude > 0x7FFFFFFFu) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*magnitude);
}
