#include "settings/IniText.h"

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
