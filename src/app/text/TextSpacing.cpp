#include "app/text/TextSpacing.h"

#include "base/Utf.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>
#include <vector>

namespace {

// What a character is to the spacing: Japanese (kana, kanji, the full-width forms and the CJK
// punctuation), punctuation the recogniser writes as ASCII, a space, or anything else (Latin).
enum class TKind { Japanese, Punctuation, Space, Latin };

struct TRange {
    char32_t First;
    char32_t Last;
};
constexpr std::array kJapanese = {
    TRange{0x3000, 0x303F}, // CJK symbols and punctuation: 、。「」々〆
    TRange{0x3040, 0x30FF}, // hiragana, katakana, ー
    TRange{0x31F0, 0x31FF}, // katakana phonetic extensions
    TRange{0x3400, 0x4DBF}, // CJK extension A
    TRange{0x4E00, 0x9FFF}, // CJK unified ideographs
    TRange{0xF900, 0xFAFF}, // CJK compatibility ideographs
    TRange{0xFF01, 0xFFEF}, // full-width ASCII, half-width katakana
};

// The ASCII punctuation the recogniser writes for its full-width form, and that form.
constexpr std::array<std::pair<char32_t, char32_t>, 6> kFullWidth = {{
    {U'(', U'（'},
    {U')', U'）'},
    {U':', U'：'},
    {U'!', U'！'},
    {U'?', U'？'},
    {U';', U'；'},
}};

TKind KindOf(char32_t c) {
    if (c == U' ' || c == U'\t') {
        return TKind::Space;
    }
    for (const auto& [ascii, wide] : kFullWidth) {
        if (c == ascii) {
            return TKind::Punctuation;
        }
    }
    for (const TRange& range : kJapanese) {
        if (c >= range.First && c <= range.Last) {
            return TKind::Japanese;
        }
    }
    return TKind::Latin;
}

std::u32string Decode(std::string_view line) {
    std::u32string out;
    for (std::size_t i = 0; i < line.size();) {
        out.push_back(NextCodePoint(line, i));
    }
    return out;
}

// The nearest character that is not a space, from `at` in the direction `step`; 0 for none.
char32_t Neighbour(const std::u32string& line, std::ptrdiff_t at, std::ptrdiff_t step) {
    for (std::ptrdiff_t i = at; i >= 0 && i < std::ptrdiff_t(line.size()); i += step) {
        if (KindOf(line[std::size_t(i)]) != TKind::Space) {
            return line[std::size_t(i)];
        }
    }
    return 0;
}

bool IsJapanese(char32_t c) {
    return c != 0 && KindOf(c) == TKind::Japanese;
}

std::string SpaceLine(std::string_view text) {
    std::u32string line = Decode(text);
    // Punctuation beside Japanese text takes its full width (and with it the Japanese kind).
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (KindOf(line[i]) != TKind::Punctuation) {
            continue;
        }
        if (IsJapanese(Neighbour(line, std::ptrdiff_t(i) - 1, -1)) ||
            IsJapanese(Neighbour(line, std::ptrdiff_t(i) + 1, 1))) {
            line[i] = std::find_if(kFullWidth.begin(), kFullWidth.end(), [&](const auto& pair) {
                          return pair.first == line[i];
                      })->second;
        }
    }
    std::string out;
    for (std::size_t i = 0; i < line.size();) {
        if (KindOf(line[i]) != TKind::Space) {
            AppendUtf8(out, line[i++]);
            continue;
        }
        std::size_t end = i;
        while (end < line.size() && KindOf(line[end]) == TKind::Space) {
            ++end;
        }
        const char32_t before = i ? line[i - 1] : 0;
        const char32_t after = end < line.size() ? line[end] : 0;
        // A space stays only inside the line, and not between two Japanese characters.
        if (before && after && !(IsJapanese(before) && IsJapanese(after))) {
            out += ' ';
        }
        i = end;
    }
    return out;
}

} // namespace

std::string SpacedAsWritten(std::string_view recognised) {
    std::string out;
    std::size_t start = 0;
    while (start <= recognised.size()) {
        std::size_t end = recognised.find('\n', start);
        if (end == std::string_view::npos) {
            end = recognised.size();
        }
        std::string_view line = recognised.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const std::string spaced = SpaceLine(line);
        if (!spaced.empty()) {
            out += out.empty() ? "" : "\r\n";
            out += spaced;
        }
        start = end + 1;
    }
    return out;
}
