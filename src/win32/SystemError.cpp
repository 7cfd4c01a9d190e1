#include "win32/SystemError.h"

#include "win32/WideText.h"

#include "base/Errors.h"
#include "base/Texts.h"

#include <windows.h>

std::string SystemErrorText(std::uint32_t code) {
    if (code == 0) {
        return {};
    }
    wchar_t buffer[256];
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                       MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), buffer, 256, nullptr);
    std::wstring text(buffer, length);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
        text.pop_back();
    }
    return Utf8FromWide(text);
}

void RaiseOutOfResources() {
    std::string text = SystemErrorText(GetLastError());
    throw EOutOfResources(text.empty() ? Text(TText::OutOfSystemResources) : text);
}
