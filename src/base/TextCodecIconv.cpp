#include "base/TextCodec.h"

#include "base/Errors.h"

#include <iconv.h>
#include <memory>
#include <type_traits>

namespace {

struct TIconvCloser {
    void operator()(iconv_t handle) const { iconv_close(handle); }
};
using TIconvHandle = std::unique_ptr<std::remove_pointer_t<iconv_t>, TIconvCloser>;

TIconvHandle Open(const char* to, const char* from) {
    iconv_t handle = iconv_open(to, from);
    if (handle == reinterpret_cast<iconv_t>(-1)) {
        throw EConvertError(std::string("iconv cannot convert ") + from + " to " + to);
    }
    return TIconvHandle(handle);
}

// Converts all of `input`, or nothing; the handle starts afresh every time.
bool Convert(iconv_t handle, const char* input, std::size_t size, char* output,
             std::size_t& outputSize) {
    iconv(handle, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(input);
    char* out = output;
    std::size_t outLeft = outputSize;
    if (iconv(handle, &in, &size, &out, &outLeft) == static_cast<std::size_t>(-1) || size != 0) {
        return false;
    }
    outputSize -= outLeft;
    return true;
}

} // namespace

TCp932Mapping PlatformCp932Mapping() {
    TCp932Mapping mapping{std::vector<char32_t>(0x10000, 0),
                          std::vector<std::uint16_t>(0x10000, 0)};
    const TIconvHandle decoder = Open("UTF-32LE", "CP932");
    const TIconvHandle encoder = Open("CP932", "UTF-32LE");
    for (std::uint32_t code = 1; code < 0x10000; ++code) {
        const bool pair = code >= 0x100;
        const char bytes[2] = {static_cast<char>(pair ? code >> 8 : code),
                               static_cast<char>(code & 0xFF)};
        char out[8];
        std::size_t outSize = sizeof out;
        if (Convert(decoder.get(), pair ? bytes : bytes + 1, pair ? 2 : 1, out, outSize) &&
            outSize == 4) {
            const char32_t c = static_cast<unsigned char>(out[0]) |
                               static_cast<unsigned char>(out[1]) << 8 |
                               static_cast<unsigned char>(out[2]) << 16;
            mapping.Decode[code] = c;
        }
    }
    for (const char32_t c : mapping.Decode) {
        if (c == 0 || c >= 0x10000 || mapping.Encode[c] != 0) {
            continue;
        }
        const char in[4] = {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8), 0, 0};
        char out[4];
        std::size_t outSize = sizeof out;
        if (Convert(encoder.get(), in, 4, out, outSize) && (outSize == 1 || outSize == 2)) {
            mapping.Encode[c] =
                outSize == 1 ? static_cast<unsigned char>(out[0])
                             : static_cast<std::uint16_t>(static_cast<unsigned char>(out[0]) << 8 |
                                                          static_cast<unsigned char>(out[1]));
        }
    }
    return mapping;
}
