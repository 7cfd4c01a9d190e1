#include "base/PathText.h"

#include "base/Cp932.h"

std::string ExtractFolder(std::string_view path) {
    std::size_t end = 0;
    for (std::size_t i = 0; i < path.size();) {
        const std::size_t length = CharLengthAt(path, i);
        if (length == 1 && (path[i] == '\\' || path[i] == ':')) {
            end = i + 1;
        }
        i += length;
    }
    return std::string(path.substr(0, end));
}
