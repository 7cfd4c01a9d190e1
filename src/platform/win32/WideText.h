#pragma once

#include <string>
#include <string_view>

// The Win32 layer calls the W functions: CP932 text becomes UTF-16 at the boundary, so the
// Japanese texts show on Windows of any language. Both raise EConvertError on invalid input.
std::wstring WideFromCp932(std::string_view cp932);
std::string Cp932FromWide(std::wstring_view wide);
