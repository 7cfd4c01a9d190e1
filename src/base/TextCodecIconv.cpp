#include "base/TextCodec.h"

#include "base/Errors.h"

#include <cerrno>
#include <iconv.h>
#include <memory>

namespace {

struct TIconvCloser {
    void operator()(iconv_t handle) const { iconv_close(handle); }
};
using TIconvHandle = std::unique_ptr<std::remove_pointer_t<iconv_t>, TIconvCloser>;

std::string Convert(std::string_view input, const char* to, const char* from) {
    TIconvHandle handle(iconv_open(to, from));
    if (handle.get() == reinterpret_cast<iconv_t>(-1)) {
        handle.release();
        throw EConvertError(std::string("iconv cannot convert ") + from + " to " + to);
    }
    std::string output(input.size() * 3 / 2 + 16, '\0');
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    std::size_t used = 0;
    while (true) {
        char* out = output.data() + used;
        std::size_t outLeft = output.size() - used;
        const std::size_t rc = iconv(handle.get(), inLeft ? &in : nullptr, &inLeft, &out, &outLeft);
        used = output.size() - outLeft;
        if (rc != static_cast<std::size_t>(-1)) {
            if (inLeft == 0) {
                break;
            }
            continue;
        }
        if (errno == E2BIG) {
            output.resize(output.size() * 2);
            continue;
        }
        throw EConvertError("text is not valid in the source encoding or has no equivalent");
    }
    output.resize(used);
    return output;
}

} // namespace

std::string Utf8ToCp932(std::string_view utf8) {
    return Convert(utf8, "CP932", "UTF-8");
}

std::string Cp932ToUtf8(std::string_view cp932) {
    return Convert(cp932, "UTF-8", "CP932");
}
