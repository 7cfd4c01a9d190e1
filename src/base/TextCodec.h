#pragma once

#include <string>
#include <string_view>

// Conversion between UTF-8 and CP932. Both raise EConvertError for bytes that are not valid in
// the source encoding or characters the target cannot hold; nothing is replaced silently.
std::string Utf8ToCp932(std::string_view utf8);
std::string Cp932ToUtf8(std::string_view cp932);
