#include "base/TextCodec.h"
#include "platform/win32/WideText.h"

#include "base/Errors.h"

#include <windows.h>

namespace {

constexpr UINT kJapanese = 932;

std::wstring ToWide(std::string_view text, UINT codePage) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (length <= 0) {
        throw EConvertError("text is not valid in its code page");
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), length);
    return wide;
}

std::string FromWide(std::wstring_view wide, UINT codePage) {
    if (wide.empty()) {
        return {};
    }
    const int size = static_cast<int>(wide.size());
    BOOL lossy = FALSE;
    // Code page 65001 refuses the lossy flag; it can hold every character anyway.
    BOOL* lossyFlag = codePage == CP_UTF8 ? nullptr : &lossy;
    const DWORD flags = codePage == CP_UTF8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    const int length =
        WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, lossyFlag);
    if (length <= 0 || lossy) {
        throw EConvertError("text has characters the code page cannot hold");
    }
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

} // namespace

std::wstring WideFromCp932(std::string_view cp932) {
    return ToWide(cp932, kJapanese);
}

std::string Cp932FromWide(std::wstring_view wide) {
    return FromWide(wide, kJapanese);
}

std::string Utf8ToCp932(std::string_view utf8) {
    return FromWide(ToWide(utf8, CP_UTF8), kJapanese);
}

std::string Cp932ToUtf8(std::string_view cp932) {
    return FromWide(ToWide(cp932, kJapanese), CP_UTF8);
}
