#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// How the file is stored: in code page 932, or in UTF-16LE or UTF-8 when it starts with that
// byte-order mark (as the platform's profile functions read it). Decoding never fails: bytes
// that are not valid in the file's encoding are carried as escaped bytes (see Cp932.h).
std::string DecodeIniFile(std::string_view bytes);
// True when the file's bytes start with one of those byte-order marks.
bool IsUnicodeIniFile(std::string_view bytes);
// Code page 932 while the whole text fits in it (a file written in it before stays byte for
// byte), otherwise UTF-16LE with its byte-order mark. Escaped bytes go back as bytes into a
// file in the code page only when they came from one (`fromCodePage`).
std::string EncodeIniFile(std::string_view text, bool fromCodePage);

// The profile-file format on its own, over the file's text (UTF-8): sections in "[...]" lines, then
// key=value lines. Lines end in CR LF, LF or CR. Section and key names match regardless of
// ASCII letter case; the first section and the first key of a name win. Blanks (space, tab)
// around names and values are dropped, and so is one pair of quotes enclosing a value.

// The value as the file holds it, without any length cut; nothing when the key is missing.
std::optional<std::string> FindIniValue(std::string_view content, std::string_view section,
                                        std::string_view key);

// The file's text with its sections found in one pass: each key is then looked for in its
// own section only, however large the rest of the file is.
class TIniValues {
public:
    explicit TIniValues(std::string content);
    // What FindIniValue gives.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;

private:
    struct TSpan {
        std::size_t Begin; // the first line after the header
        std::size_t End;   // the next header, or the end of the text
    };
    std::string FContent;
    std::unordered_map<std::string, TSpan> FSections; // the first of each lower-case name
};

struct TIniEntry {
    std::string Section;
    std::string Key;
    std::string Value;
};

// The file's text with the keys set, in their order, in one pass: an existing key's line is
// replaced where it stands, a new key goes after the last non-blank line of its section, a new
// section at the end. Every other byte stays as it was; new lines end in CR LF. A value that
// the reader would change (a blank at either end, or one pair of enclosing quotes) is written
// in quotes, so that it reads back as it was.
std::string SetIniValues(std::string_view content, const std::vector<TIniEntry>& entries);
std::string SetIniValue(std::string_view content, std::string_view section, std::string_view key,
                        std::string_view value);
