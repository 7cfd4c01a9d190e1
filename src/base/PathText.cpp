#include "base/PathText.h"

std::string ExtractFolder(std::string_view path) {
    // In UTF-8 no byte of a longer character is taken for "\" or ":".
    const std::size_t end = path.find_last_of("\\:");
    return std::string(path.substr(0, end == std::string_view::npos ? 0 : end + 1));
}
