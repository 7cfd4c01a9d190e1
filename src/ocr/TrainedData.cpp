#include "ocr/TrainedData.h"

#include "base/Utf.h"

#include <cstdio>
#include <memory>
#include <mutex>
#include <string_view>

namespace {

struct TTable {
    std::mutex Lock;
    std::string Folder;
    std::map<std::string, std::span<const std::uint8_t>> BuiltIn;
};

TTable& Table() {
    static TTable table;
    return table;
}

struct TCloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::unique_ptr<std::FILE, TCloseFile> OpenForReading(const std::string& path) {
#ifdef _WIN32
    const std::u16string wide = Utf16FromUtf8(path);
    return std::unique_ptr<std::FILE, TCloseFile>(
        _wfopen(reinterpret_cast<const wchar_t*>(wide.c_str()), L"rb"));
#else
    return std::unique_ptr<std::FILE, TCloseFile>(std::fopen(path.c_str(), "rb"));
#endif
}

bool ReadWhole(const std::string& path, std::vector<char>* data) {
    const auto file = OpenForReading(path);
    if (!file) {
        return false;
    }
    data->clear();
    char buffer[1 << 16];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        data->insert(data->end(), buffer, buffer + got);
    }
    return std::ferror(file.get()) == 0 && !data->empty();
}

} // namespace

void SetTrainedData(std::string dataFolder,
                    std::map<std::string, std::span<const std::uint8_t>> builtIn) {
    TTable& table = Table();
    const std::lock_guard lock(table.Lock);
    table.Folder = std::move(dataFolder);
    table.BuiltIn = std::move(builtIn);
}

bool HasTrainedData(const std::string& language) {
    std::string folder;
    {
        TTable& table = Table();
        const std::lock_guard lock(table.Lock);
        if (table.BuiltIn.count(language)) {
            return true;
        }
        folder = table.Folder;
    }
    return !folder.empty() && !language.empty() &&
           OpenForReading(folder + "/" + language + ".traineddata") != nullptr;
}

bool ReadTrainedData(const char* fileName, std::vector<char>* data) {
    // The engine puts its folder's prefix before the name: only the name is ours to look up.
    std::string_view name(fileName);
    const std::size_t slash = name.find_last_of("/\\");
    if (slash != std::string_view::npos) {
        name.remove_prefix(slash + 1);
    }
    std::string folder;
    {
        TTable& table = Table();
        const std::lock_guard lock(table.Lock);
        const std::size_t dot = name.find('.');
        const auto built = table.BuiltIn.find(std::string(name.substr(0, dot)));
        if (built != table.BuiltIn.end() &&
            name.substr(dot == std::string_view::npos ? name.size() : dot) == ".traineddata") {
            data->assign(built->second.begin(), built->second.end());
            return true;
        }
        folder = table.Folder;
    }
    if (folder.empty() || name.empty()) {
        return false;
    }
    const char last = folder.back();
    return ReadWhole(folder + (last == '/' || last == '\\' ? "" : "/") + std::string(name), data);
}
