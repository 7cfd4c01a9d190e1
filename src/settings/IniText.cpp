#include "settings/IniText.h"

#include "base/Cp932.h"
#include "base/Utf.h"

namespace {

struct TLine {
    std::size_t Begin = 0; // first byte of the line
    std::size_t End = 0;   // one past its last byte, before the line break
    std::size_t Next = 0;  // first byte of the following line
};

bool ReadLine(std::string_view content, std::size_t& position, TLine& line) {
    if (position >= content.size()) {
        return false;
    }
    line.Begin = position;
    std::size_t end = content.find_first_of("\r\n", position);
    if (end == std::string_view::npos) {
        end = content.size();
    }
    line.End = end;
    std::size_t next = end;
    if (next < content.size()) {
        next += (content[next] == '\r' && next + 1 < content.size() && content[next + 1] == '\n')
                    ? 2
                    : 1;
    }
    line.Next = next;
    position = next;
    return true;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

// "[name]" with blanks allowed around the line and the name; nothing for other lines.
std::optional<std::string_view> SectionHeader(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty() || text.front() != '[') {
        return std::nullopt;
    }
    const std::size_t close = text.rfind(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return TrimBlanks(text.substr(1, close - 1));
}

struct TKeyLine {
    std::string_view Key;
    std::string_view Value;
};

std::optional<TKeyLine> KeyLine(std::string_view text) {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view key = TrimBlanks(text.substr(0, equals));
    if (key.empty()) {
        return std::nullopt;
    }
    std::string_view value = TrimBlanks(text.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return TKeyLine{key, value};
}

std::string_view LineText(std::string_view content, const TLine& line) {
    return content.substr(line.Begin, line.End - line.Begin);
}

// Where a section stands in the file: its header line, and the key line wanted, if any.
struct TSectionPlace {
    bool Found = false;
    std::size_t AfterLastNonBlank = 0; // where a new key of the section goes
    bool LastLineHasBreak = true;
    bool KeyFound = false;
    TLine KeyLineSpan;
    std::string_view KeyName;
    std::string_view Value;
};

TSectionPlace Locate(std::string_view content, std::string_view section, std::string_view key) {
    TSectionPlace place;
    std::size_t position = 0;
    TLine line;
    bool inside = false;
    while (ReadLine(content, position, line)) {
        const std::string_view text = LineText(content, line);
        if (const auto header = SectionHeader(text)) {
            if (inside) {
                break; // the first section of that name is the one that counts
            }
            if (SameName(*header, section)) {
                inside = true;
                place.Found = true;
                place.AfterLastNonBlank = line.Next;
                place.LastLineHasBreak = line.Next > line.End;
            }
            continue;
        }
        if (!inside) {
            continue;
        }
        if (!TrimBlanks(text).empty()) {
            place.AfterLastNonBlank = line.Next;
            place.LastLineHasBreak = line.Next > line.End;
        }
        if (!place.KeyFound) {
            if (const auto entry = KeyLine(text); entry && SameName(entry->Key, key)) {
                place.KeyFound = true;
                place.KeyLineSpan = line;
                place.KeyName = entry->Key;
                place.Value = entry->Value;
            }
        }
    }
    return place;
}

bool EndsWithLineBreak(std::string_view content) {
    return !content.empty() && (content.back() == '\n' || content.back() == '\r');
}

} // namespace

std::optional<std::string> FindIniValue(std::string_view content, std::string_view section,
                                        std::string_view key) {
    const TSectionPlace place = Locate(content, section, key);
    if (!place.KeyFound) {
        return std::nullopt;
    }
    return std::string(place.Value);
}

std::string SetIniValue(std::string_view content, std::string_view section, std::string_view key,
                        std::string_view value) {
    const TSectionPlace place = Locate(content, section, key);
    std::string result;
    result.reserve(content.size() + section.size() + key.size() + value.size() + 8);

    if (place.KeyFound) {
        const TLine& line = place.KeyLineSpan;
        result.append(content.substr(0, line.Begin));
        result.append(place.KeyName).append("=").append(value);
        result.append(content.substr(line.End));
        return result;
    }
    if (place.Found) {
        result.append(content.substr(0, place.AfterLastNonBlank));
        if (!place.LastLineHasBreak) {
            result.append("\r\n");
        }
        result.append(key).append("=").append(value).append("\r\n");
        result.append(content.substr(place.AfterLastNonBlank));
        return result;
    }
    result.append(content);
    if (!content.empty() && !EndsWithLineBreak(content)) {
        result.append("\r\n");
    }
    result.append("[").append(section).append("]\r\n");
    result.append(key).append("=").append(value).append("\r\n");
    return result;
}

bool IsUnicodeIniFile(std::string_view bytes) {
    return bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 3) == "\xEF\xBB\xBF";
}

std::string DecodeIniFile(std::string_view bytes) {
    if (bytes.substr(0, 2) == "\xFF\xFE") {
        std::u16string wide;
        wide.reserve(bytes.size() / 2);
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            wide += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                          static_cast<unsigned char>(bytes[i + 1]) << 8);
        }
        std::string text = Utf8FromUtf16(wide);
        if (bytes.size() % 2 != 0) {
            AppendUtf8(text, 0xFFFD); // half a character at the end
        }
        return text;
    }
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        std::string text;
        text.reserve(bytes.size());
        const std::string_view body = bytes.substr(3);
        for (std::size_t i = 0; i < body.size();) {
            const std::size_t start = i;
            const char32_t c = NextCodePoint(body, i);
            if (c >= 0xD800 && c < 0xE000 && i - start > 1) {
                i = start + 1; // a surrogate is no character in UTF-8: its bytes are invalid
                AppendUtf8(text, kEscapedByteFirst + static_cast<unsigned char>(body[start]));
            } else {
                AppendUtf8(text, c); // invalid bytes become escaped bytes
            }
        }
        return text;
    }
    return DecodeCp932(bytes);
}

std::string EncodeIniFile(std::string_view text, bool fromCodePage) {
    if (fromCodePage || !HoldsEscapedByte(text)) {
        if (auto bytes = EncodeCp932(text)) {
            return std::move(*bytes);
        }
    }
    const std::u16string wide = Utf16FromUtf8(text);
    std::string bytes = "\xFF\xFE";
    bytes.reserve(2 + wide.size() * 2);
    for (const char16_t unit : wide) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}
