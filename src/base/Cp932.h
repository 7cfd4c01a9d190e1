#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Code page 932 (Shift_JIS) is how the settings file is stored and how the byte limits of the
// prefix and the folder are counted; inside the program text is UTF-8. A lead byte takes the
// byte after it along, so no second byte of a double-byte character is ever read as "\".

bool IsLeadByte(unsigned char byte);

// Bytes the code page does not define decode to U+DC00 + the byte, one for each byte, and
// encode back to the same byte: a file that is read and written again keeps them. No file
// name may hold such a character.
constexpr char32_t kEscapedByteFirst = 0xDC00;
constexpr char32_t kEscapedByteLast = 0xDCFF;

std::string DecodeCp932(std::string_view bytes);
// Nothing when a character has no form in the code page.
std::optional<std::string> EncodeCp932(std::string_view text);

// The text's length in the code page's bytes; a character it cannot hold counts 2.
std::size_t Cp932Bytes(std::string_view text);
// The longest start of the text, in whole characters, within that many bytes.
std::string CutToCp932Bytes(std::string_view text, std::size_t limit);

bool HoldsEscapedByte(std::string_view text);
