#pragma once

#include "base/Utf.h"

#include <string>
#include <string_view>

// The Win32 layer calls the W functions: the program's UTF-8 becomes UTF-16 at the boundary.
inline std::wstring WideFromUtf8(std::string_view text) {
    const std::u16string wide = Utf16FromUtf8(text);
    return std::wstring(wide.begin(), wide.end());
}

inline std::string Utf8FromWide(std::wstring_view wide) {
    return Utf8FromUtf16(std::u16string(wide.begin(), wide.end()));
}
