#pragma once

#include <optional>
#include <string>
#include <string_view>

// The profile-file format on its own, over the file's bytes: sections in "[...]" lines, then
// key=value lines. Lines end in CR LF, LF or CR. Section and key names match regardless of
// ASCII letter case; the first section and the first key of a name win. Blanks (space, tab)
// around names and values are dropped, and so is one pair of quotes enclosing a value.

// The value as the file holds it, without any length cut; nothing when the key is missing.
std::optional<std::string> FindIniValue(std::string_view content, std::string_view section,
                                        std::string_view key);

// The file's bytes with the key set: an existing key's line is replaced where it stands, a
// new key goes after the last non-blank line of its section, a new section at the end.
// Every other byte stays as it was; new lines end in CR LF.
std::string SetIniValue(std::string_view content, std::string_view section, std::string_view key,
                        std::string_view value);
