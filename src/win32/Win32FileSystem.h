#pragma once

#include "platform/FileSystem.h"

#include <mutex>
#include <set>
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

private:
    std::mutex FTidiedMutex;               // the start-up sweep runs on a thread of its own
    std::set<std::wstring> FTidiedFolders; // leftovers of killed saves already looked for
};
