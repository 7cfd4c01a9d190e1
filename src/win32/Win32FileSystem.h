#pragma once

#include "platform/FileSystem.h"

#include <string>

class TWin32FileSystem : public IFileSystem {
public:
    std::optional<std::string> ReadFile(const std::string& path, std::size_t limit) override;
    bool Exists(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    bool DirectoryExists(const std::string& path) override;
    std::unique_ptr<TOutputFile> CreateReplacement(const std::string& path) override;
    void RemoveLeftovers(const std::string& folder) override;
    std::string FullPath(const std::string& path) override;
};
