#include "base/TextCodec.h"

#include <windows.h>

TCp932Mapping PlatformCp932Mapping() {
    constexpr UINT kJapanese = 932;
    TCp932Mapping mapping{std::vector<char32_t>(0x10000, 0),
                          std::vector<std::uint16_t>(0x10000, 0)};
    for (std::uint32_t code = 1; code < 0x10000; ++code) {
        const bool pair = code >= 0x100;
        const char bytes[2] = {static_cast<char>(pair ? code >> 8 : code),
                               static_cast<char>(code & 0xFF)};
        wchar_t wide[2];
        if (MultiByteToWideChar(kJapanese, MB_ERR_INVALID_CHARS, pair ? bytes : bytes + 1,
                                pair ? 2 : 1, wide, 2) == 1) {
            mapping.Decode[code] = wide[0];
        }
    }
    for (const char32_t c : mapping.Decode) {
        if (c == 0 || mapping.Encode[c] != 0) {
            continue;
        }
        const wchar_t wide = static_cast<wchar_t>(c);
        char out[2];
        BOOL lossy = FALSE;
        const int length =
            WideCharToMultiByte(kJapanese, WC_NO_BEST_FIT_CHARS, &wide, 1, out, 2, nullptr, &lossy);
        if (!lossy && (length == 1 || length == 2)) {
            mapping.Encode[c] =
                length == 1 ? static_cast<unsigned char>(out[0])
                            : static_cast<std::uint16_t>(static_cast<unsigned char>(out[0]) << 8 |
                                                         static_cast<unsigned char>(out[1]));
        }
    }
    return mapping;
}
