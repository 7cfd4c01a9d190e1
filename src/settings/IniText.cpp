#include "settings/IniText.h"

#include "base/AsciiText.h"
#include "base/Cp932.h"
#include "base/Utf.h"

#include <algorithm>
#include <unordered_set>

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

std::string LowerName(std::string_view name) {
    std::string lower(name);
    for (char& c : lower) {
        c = AsciiLower(c);
    }
    return lower;
}

// A value as its line holds it: in quotes when the reader would otherwise change it.
std::string IniValueText(std::string_view value) {
    const bool blankAtAnEnd = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()));
    const bool enclosed = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                          value.back() == value.front();
    std::string text;
    const bool quote = blankAtAnEnd || enclosed;
    text.reserve(value.size() + 2);
    text.append(quote ? "\"" : "").append(value).append(quote ? "\"" : "");
    return text;
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

bool EndsWithLineBreak(std::string_view content) {
    return !content.empty() && (content.back() == '\n' || content.back() == '\r');
}

} // namespace

std::optional<std::string> FindIniValue(std::string_view content, std::string_view section,
                                        std::string_view key) {
    return TIniValues(std::string(content)).Find(section, key);
}

TIniValues::TIniValues(std::string content) : FContent(std::move(content)) {
    const std::string_view text = FContent;
    TSpan* open = nullptr;
    std::size_t position = 0;
    TLine line;
    while (ReadLine(text, position, line)) {
        // Only a line that starts with "[" after blanks can be a header: the rest is skipped.
        const std::size_t first = text.find_first_not_of(" \t", line.Begin);
        if (first >= line.End || text[first] != '[') {
            continue;
        }
        if (const auto header = SectionHeader(LineText(text, line))) {
            if (open) {
                open->End = line.Begin;
            }
            const auto [entry, added] =
                FSections.try_emplace(LowerName(*header), TSpan{line.Next, text.size()});
            open = added ? &entry->second : nullptr;
        }
    }
}

std::optional<std::string> TIniValues::Find(std::string_view section, std::string_view key) const {
    const auto found = FSections.find(LowerName(section));
    if (found == FSections.end()) {
        return std::nullopt;
    }
    const std::string_view text = std::string_view(FContent).substr(0, found->second.End);
    std::size_t position = found->second.Begin;
    TLine line;
    while (ReadLine(text, position, line)) {
        if (const auto entry = KeyLine(LineText(text, line)); entry && SameName(entry->Key, key)) {
            return std::string(entry->Value);
        }
    }
    return std::nullopt;
}

std::string SetIniValues(std::string_view content, const std::vector<TIniEntry>& entries) {
    // What becomes of each key: its line replaced, or a new line in its section.
    struct TKeyPlan {
        std::string Section; // lower case
        std::string_view Key;
        std::string Line; // "key=value"
        bool Found = false;
        TLine Span;
    };
    struct TSectionPlan {
        std::string_view Name;
        bool Found = false;
        std::size_t AfterLastNonBlank = 0;
        bool LastLineHasBreak = true;
    };
    std::vector<TKeyPlan> keys;
    std::vector<TSectionPlan> sections; // in the order the entries name them
    std::unordered_map<std::string, std::size_t> sectionIndex;
    for (const TIniEntry& entry : entries) {
        std::string section = LowerName(entry.Section);
        if (sectionIndex.try_emplace(section, sections.size()).second) {
            TSectionPlan plan;
            plan.Name = entry.Section;
            sections.push_back(plan);
        }
        const std::string line = entry.Key + "=" + IniValueText(entry.Value);
        const auto same = std::find_if(keys.begin(), keys.end(), [&](const TKeyPlan& plan) {
            return plan.Section == section && SameName(plan.Key, entry.Key);
        });
        if (same != keys.end()) {
            same->Line = line; // set twice: the last value stays
        } else {
            TKeyPlan plan;
            plan.Section = std::move(section);
            plan.Key = entry.Key;
            plan.Line = line;
            keys.push_back(std::move(plan));
        }
    }

    std::unordered_set<std::string> seenSections;
    TSectionPlan* inside = nullptr; // the first section of a name that is set here
    std::string current;
    std::size_t position = 0;
    TLine line;
    while (ReadLine(content, position, line)) {
        const std::string_view text = LineText(content, line);
        if (const auto header = SectionHeader(text)) {
            current = LowerName(*header);
            inside = nullptr;
            const auto index = sectionIndex.find(current);
            if (seenSections.insert(current).second && index != sectionIndex.end()) {
                inside = &sections[index->second];
                inside->Found = true;
                inside->AfterLastNonBlank = line.Next;
                inside->LastLineHasBreak = line.Next > line.End;
            }
            continue;
        }
        if (!inside) {
            continue;
        }
        if (!TrimBlanks(text).empty()) {
            inside->AfterLastNonBlank = line.Next;
            inside->LastLineHasBreak = line.Next > line.End;
        }
        if (const auto entry = KeyLine(text)) {
            for (TKeyPlan& key : keys) {
                if (!key.Found && key.Section == current && SameName(key.Key, entry->Key)) {
                    key.Found = true;
                    key.Span = line;
                    // The name as the file spells it.
                    key.Line = std::string(entry->Key) + key.Line.substr(key.Key.size());
                }
            }
        }
    }

    // The changes in the order of the text: replaced lines, then new keys in their sections.
    struct TEdit {
        std::size_t Begin;
        std::size_t End;
        std::string Text;
    };
    std::vector<TEdit> edits;
    std::string appended;
    for (const TSectionPlan& section : sections) {
        std::string added;
        for (const TKeyPlan& key : keys) {
            if (!key.Found && key.Section == LowerName(section.Name)) {
                added.append(key.Line).append("\r\n");
            }
        }
        if (added.empty()) {
            continue;
        }
        if (section.Found) {
            const std::string before = section.LastLineHasBreak ? "" : "\r\n";
            edits.push_back({section.AfterLastNonBlank, section.AfterLastNonBlank, before + added});
        } else {
            appended.append("[").append(section.Name).append("]\r\n").append(added);
        }
    }
    for (const TKeyPlan& key : keys) {
        if (key.Found) {
            edits.push_back({key.Span.Begin, key.Span.End, key.Line});
        }
    }
    std::stable_sort(edits.begin(), edits.end(),
                     [](const TEdit& a, const TEdit& b) { return a.Begin < b.Begin; });

    std::string result;
    result.reserve(content.size() + appended.size() + 64 * edits.size() + 2);
    std::size_t copied = 0;
    for (const TEdit& edit : edits) {
        result.append(content.substr(copied, edit.Begin - copied));
        result.append(edit.Text);
        copied = edit.End;
    }
    result.append(content.substr(copied));
    if (!appended.empty()) {
        if (!result.empty() && !EndsWithLineBreak(result)) {
            result.append("\r\n");
        }
        result.append(appended);
    }
    return result;
}

std::string SetIniValue(std::string_view content, std::string_view section, std::string_view key,
                        std::string_view value) {
    return SetIniValues(content, {{std::string(section), std::string(key), std::string(value)}});
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
