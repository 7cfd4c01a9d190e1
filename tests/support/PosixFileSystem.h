#pragma once

#include "platform/FileSystem.h"

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

// Native path of a program path: "\" to "/".
std::string NativePath(const std::string& path);
// The program's form of a native path.
std::string ProgramPath(const std::string& nativePath);

// The headless file system: real files, program paths mapped onto the native ones.
class TPosixFileSystem : public IFileSystem {
public:
    std::optional<std::string> ReadFile(const std::string& path, std::size_t limit) override;
    bool Exists(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    bool DirectoryExists(const std::string& path) override;
    std::unique_ptr<TOutputFile> CreateReplacement(const std::string& path) override;
    std::string FullPath(const std::string& path) override;
    // Temporaries here are made by mkstemp and never collide: the folders asked for are noted.
    void RemoveLeftovers(const std::string& folder) override;
    std::vector<std::string> SweptFolders() const;
    // Set: each sweep raises, as one that runs out of memory would.
    std::atomic<bool> SweepFails{false};

private:
    mutable std::mutex FSweptMutex;
    std::vector<std::string> FSwept;
};
