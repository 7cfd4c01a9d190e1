#include "platform/TemporaryNames.h"

#include <cstdio>

namespace {

constexpr std::string_view kPrefix = "~qrl";
constexpr std::string_view kSuffix = ".tmp";

// Decimal digits as our writer makes them: no sign, no leading zero, within 32 bits.
std::optional<std::uint32_t> ParseDecimal(std::string_view digits) {
    if (digits.empty() || digits.size() > 10 || (digits.size() > 1 && digits[0] == '0')) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value > 0xFFFFFFFFu) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

bool IsRunTag(std::string_view text) {
    if (text.size() != 16) {
        return false;
    }
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string TemporaryFileName(std::uint32_t process, std::uint64_t run, std::uint32_t counter) {
    char tag[17];
    std::snprintf(tag, sizeof tag, "%016llx", static_cast<unsigned long long>(run));
    return std::string(kPrefix) + std::to_string(process) + "-" + tag + "-" +
           std::to_string(counter) + std::string(kSuffix);
}

std::optional<std::uint32_t> TemporaryFileMaker(std::string_view name) {
    if (!name.starts_with(kPrefix) || !name.ends_with(kSuffix)) {
        return std::nullopt;
    }
    std::string_view body =
        name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
    const std::size_t first = body.find('-');
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    const auto process = ParseDecimal(body.substr(0, first));
    std::string_view rest = body.substr(first + 1);
    const std::size_t second = rest.find('-');
    const bool counted =
        second == std::string_view::npos
            ? ParseDecimal(rest).has_value()
            : IsRunTag(rest.substr(0, second)) && ParseDecimal(rest.substr(second + 1)).has_value();
    if (!process || *process == 0 || !counted) {
        return std::nullopt;
    }
    return process;
}
