#pragma once

#include "base/ByteSink.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

// A file being written under a new name. Bytes go to a temporary file in the target's folder;
// Commit moves it over the target in one step. Destroying it uncommitted removes the
// temporary file, so a failed write never leaves a truncated file or touches an existing one.
class TOutputFile : public TByteSink {
public:
    // Flushes and publishes the file; raises EWriteError or EFCreateError on failure.
    virtual void Commit() = 0;
};

// File operations on UTF-8 paths with "\" separators.
class IFileSystem {
public:
    virtual ~IFileSystem() = default;

    // The whole file; nothing when it is missing, not a plain file, unreadable, or longer than
    // `limit` bytes.
    virtual std::optional<std::string> ReadFile(const std::string& path, std::size_t limit) = 0;

    // Something exists under that name (a file, a folder or anything else).
    virtual bool Exists(const std::string& path) = 0;
    // A plain file (not a folder) exists under that name.
    virtual bool FileExists(const std::string& path) = 0;
    virtual bool DirectoryExists(const std::string& path) = 0;

    // Starts a new version of `path`. Raises EFCreateError (with the full path and the
    // system's text) when it cannot be created: missing or unwritable folder, a read-only or
    // locked target, a target that is a folder.
    virtual std::unique_ptr<TOutputFile> CreateReplacement(const std::string& path) = 0;

    // Removes the temporary files that saves of a Quorlan no longer running left in the
    // folder (it was killed in the middle). Safe to call from another thread; never fails.
    virtual void RemoveLeftovers(const std::string& folder) = 0;

    // The name expanded to a full path, as error messages show it.
    virtual std::string FullPath(const std::string& path) = 0;
};
