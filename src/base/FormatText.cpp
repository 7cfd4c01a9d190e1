#include "base/FormatText.h"

std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> args) {
    std::string result;
    result.reserve(pattern.size() + 64);
    auto next = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size()) {
            const char kind = pattern[i + 1];
            if (kind == '%') {
                result += '%';
                ++i;
                continue;
            }
            if ((kind == 's' || kind == 'd') && next != args.end()) {
                result += *next++;
                ++i;
                continue;
            }
        }
        result += c;
    }
    return result;
}
