#pragma once

#include <string>
#include <string_view>

// Text inside the program is UTF-8; the Win32 layer speaks UTF-16. Lone surrogates (U+D800 to
// U+DFFF) pass through both forms unchanged, as Windows file names may hold them and as the
// settings file's undefined bytes are carried in them (see Cp932.h), so no conversion fails.

// The code point starting at `index`, which moves past it. A byte that starts no valid
// sequence reads as U+DC00 + the byte, on its own.
char32_t NextCodePoint(std::string_view text, std::size_t& index);
void AppendUtf8(std::string& text, char32_t codePoint);

std::u16string Utf16FromUtf8(std::string_view utf8);
std::string Utf8FromUtf16(std::u16string_view utf16);
