#pragma once

#include <cstddef>
#include <string_view>

// Byte strings in code page 932 (Shift_JIS). A lead byte takes the byte after it along, so
// every test of "the last character" or "contains" walks the text from its start: the second
// byte of a double-byte character (0x40-0xFC) is never mistaken for "\" or another ASCII mark.

bool IsLeadByte(unsigned char byte);

// Length in bytes of the character that starts at `index`: 2 for a lead byte followed by a
// byte, otherwise 1 (a lead byte cut off at the very end stands alone).
std::size_t CharLengthAt(std::string_view text, std::size_t index);

// Byte index at which the last whole character starts; npos for the empty text.
std::size_t LastCharStart(std::string_view text);

// True when the last whole character of `text` is the single-byte character `ascii`.
bool LastCharIs(std::string_view text, char ascii);

// True when a single-byte character of `text` is one of `asciiSet`.
bool ContainsAnyAsciiChar(std::string_view text, std::string_view asciiSet);

// Number of whole characters.
std::size_t CharCount(std::string_view text);
