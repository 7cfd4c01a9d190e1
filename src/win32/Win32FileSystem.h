#pragma once

#include "platform/FileSystem.h"

#include <set>
#include <string>

class TWin32FileSystem : public IFileSystem {
public:
    std::optional<std::string> ReadFile(const std::string& path, std::size_t limit) override;
    bool Exists(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    bool DirectoryExists(const std::string& path) override;
    std::unique_ptr<TOutputFile> CreateReplacement(const std::string& path) override;
    bool RewriteInPlace(const std::string& path, const std::string& bytes) override;
    std::string FullPath(const std::string& path) override;

private:
    std::set<std::wstring> FTidiedFolders; // leftovers of killed saves already looked for
};
