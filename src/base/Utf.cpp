#include "base/Utf.h"

namespace {

bool IsContinuation(std::string_view text, std::size_t at) {
    return at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80;
}

} // namespace

char32_t NextCodePoint(std::string_view text, std::size_t& index) {
    const auto byte = static_cast<unsigned char>(text[index]);
    const auto continuation = [&](std::size_t k) {
        return static_cast<char32_t>(static_cast<unsigned char>(text[index + k]) & 0x3F);
    };
    std::size_t length = 0;
    char32_t value = 0, minimum = 0;
    if (byte < 0x80) {
        ++index;
        return byte;
    } else if ((byte & 0xE0) == 0xC0) {
        length = 2, value = byte & 0x1F, minimum = 0x80;
    } else if ((byte & 0xF0) == 0xE0) {
        length = 3, value = byte & 0x0F, minimum = 0x800;
    } else if ((byte & 0xF8) == 0xF0) {
        length = 4, value = byte & 0x07, minimum = 0x10000;
    }
    bool whole = length != 0;
    for (std::size_t k = 1; whole && k < length; ++k) {
        whole = IsContinuation(text, index + k);
        if (whole) {
            value = (value << 6) | continuation(k);
        }
    }
    if (!whole || value < minimum || value > 0x10FFFF) {
        ++index;
        return 0xDC00 + byte;
    }
    index += length;
    return value;
}

void AppendUtf8(std::string& text, char32_t c) {
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (c >> 18));
        text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::u16string Utf16FromUtf8(std::string_view utf8) {
    std::u16string wide;
    wide.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t c = NextCodePoint(utf8, i);
        if (c >= 0x10000) {
            wide += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            wide += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            wide += static_cast<char16_t>(c);
        }
    }
    return wide;
}

std::string Utf8FromUtf16(std::u16string_view utf16) {
    std::string text;
    text.reserve(utf16.size() * 3);
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = utf16[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        }
        AppendUtf8(text, c);
    }
    return text;
}
