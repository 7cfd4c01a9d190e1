#include "support/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

TTempFolder::TTempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quorlan-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder");
    }
    FNative = pattern + "/";
    FPath = FNative;
    for (char& c : FPath) {
        if (c == '/') {
            c = '\\';
        }
    }
}

TTempFolder::~TTempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(FNative, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(FNative, ignored);
}

std::string TTempFolder::Program(const std::string& utf8Name) const {
    std::string name = utf8Name;
    for (char& c : name) {
        if (c == '/') {
            c = '\\';
        }
    }
    return FPath + name;
}

std::string TTempFolder::Native(const std::string& utf8Name) const {
    return FNative + utf8Name;
}

void TTempFolder::WriteNative(const std::string& utf8Name, const std::string& bytes) const {
    std::ofstream out(Native(utf8Name), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + utf8Name);
    }
}

std::string TTempFolder::ReadNative(const std::string& utf8Name) const {
    std::ifstream in(Native(utf8Name), std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + utf8Name);
    }
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool TTempFolder::ExistsNative(const std::string& utf8Name) const {
    return std::filesystem::exists(Native(utf8Name));
}

std::string TTempFolder::Listing() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(FNative)) {
        names.insert(entry.path().filename().string());
    }
    std::string listing;
    for (const auto& name : names) {
        listing += (listing.empty() ? "" : " ") + name;
    }
    return listing;
}
