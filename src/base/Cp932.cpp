#include "base/Cp932.h"

#include "base/TextCodec.h"
#include "base/Utf.h"

namespace {

const TCp932Mapping& Mapping() {
    static const TCp932Mapping mapping = PlatformCp932Mapping();
    return mapping;
}

bool IsTrailByte(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

// Where the run of ASCII bytes starting at `from` ends: ASCII is the same in both forms.
std::size_t AsciiRunEnd(std::string_view text, std::size_t from) {
    while (from < text.size() && static_cast<unsigned char>(text[from]) < 0x80) {
        ++from;
    }
    return from;
}

bool IsEscapedByte(char32_t c) {
    return c >= kEscapedByteFirst && c <= kEscapedByteLast;
}

// How many bytes of the code page one character takes (0: it has no form there), and its code.
std::size_t EncodedLength(char32_t c, std::uint16_t& code) {
    if (c == 0) {
        code = 0;
        return 1;
    }
    if (IsEscapedByte(c)) {
        code = static_cast<std::uint16_t>(c - kEscapedByteFirst);
        return 1;
    }
    code = c < 0x10000 ? Mapping().Encode[c] : 0;
    return code == 0 ? 0 : code < 0x100 ? 1 : 2;
}

} // namespace

bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::string DecodeCp932(std::string_view bytes) {
    const auto& decode = Mapping().Decode;
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 2);
    for (std::size_t i = 0; i < bytes.size();) {
        if (const std::size_t end = AsciiRunEnd(bytes, i); end > i) {
            text.append(bytes.substr(i, end - i));
            i = end;
            continue;
        }
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (IsLeadByte(byte) && i + 1 < bytes.size() &&
            IsTrailByte(static_cast<unsigned char>(bytes[i + 1]))) {
            const auto trail = static_cast<unsigned char>(bytes[i + 1]);
            if (const char32_t c = decode[byte << 8 | trail]) {
                AppendUtf8(text, c);
            } else { // a pair the code page leaves undefined: both bytes kept as they are
                AppendUtf8(text, kEscapedByteFirst + byte);
                AppendUtf8(text, kEscapedByteFirst + trail);
            }
            i += 2;
            continue;
        }
        const char32_t c = IsLeadByte(byte) ? 0 : decode[byte];
        AppendUtf8(text, c != 0 ? c : kEscapedByteFirst + byte);
        ++i;
    }
    return text;
}

std::optional<std::string> EncodeCp932(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (const std::size_t end = AsciiRunEnd(text, i); end > i) {
            bytes.append(text.substr(i, end - i));
            i = end;
            continue;
        }
        std::uint16_t code = 0;
        const std::size_t length = EncodedLength(NextCodePoint(text, i), code);
        if (length == 0) {
            return std::nullopt;
        }
        if (length == 2) {
            bytes += static_cast<char>(code >> 8);
        }
        bytes += static_cast<char>(code & 0xFF);
    }
    return bytes;
}

std::size_t Cp932Bytes(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size();) {
        std::uint16_t code = 0;
        const std::size_t length = EncodedLength(NextCodePoint(text, i), code);
        count += length == 0 ? 2 : length;
    }
    return count;
}

std::string CutToCp932Bytes(std::string_view text, std::size_t limit) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        std::uint16_t code = 0;
        const std::size_t length = EncodedLength(NextCodePoint(text, i), code);
        count += length == 0 ? 2 : length;
        if (count > limit) {
            return std::string(text.substr(0, start));
        }
    }
    return std::string(text);
}

bool HoldsEscapedByte(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        if (IsEscapedByte(NextCodePoint(text, i))) {
            return true;
        }
    }
    return false;
}
