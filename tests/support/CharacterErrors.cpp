#include "support/CharacterErrors.h"

#include "base/Utf.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::u32string CodePoints(std::string_view text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        out.push_back(NextCodePoint(text, i));
    }
    return out;
}

} // namespace

double CharacterErrorRate(std::string_view truth, std::string_view read) {
    const std::u32string a = CodePoints(truth), b = CodePoints(read);
    std::vector<std::size_t> row(b.size() + 1), next(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        next[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            next[j] = std::min({row[j] + 1, next[j - 1] + 1, row[j - 1] + (a[i - 1] != b[j - 1])});
        }
        std::swap(row, next);
    }
    return a.empty() ? (b.empty() ? 0.0 : 1.0) : double(row[b.size()]) / double(a.size());
}
