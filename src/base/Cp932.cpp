#include "base/Cp932.h"

bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::size_t CharLengthAt(std::string_view text, std::size_t index) {
    if (IsLeadByte(static_cast<unsigned char>(text[index])) && index + 1 < text.size()) {
        return 2;
    }
    return 1;
}

std::size_t LastCharStart(std::string_view text) {
    std::size_t last = std::string_view::npos;
    for (std::size_t i = 0; i < text.size(); i += CharLengthAt(text, i)) {
        last = i;
    }
    return last;
}

bool LastCharIs(std::string_view text, char ascii) {
    const std::size_t last = LastCharStart(text);
    return last != std::string_view::npos && last + 1 == text.size() && text[last] == ascii;
}

bool ContainsAnyAsciiChar(std::string_view text, std::string_view asciiSet) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = CharLengthAt(text, i);
        if (length == 1 && asciiSet.find(text[i]) != std::string_view::npos) {
            return true;
        }
        i += length;
    }
    return false;
}

std::size_t CharCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); i += CharLengthAt(text, i)) {
        ++count;
    }
    return count;
}
