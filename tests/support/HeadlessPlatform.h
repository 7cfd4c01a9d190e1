#pragma once

#include "platform/Platform.h"
#include "support/PosixFileSystem.h"

#include <map>

// The desktop as tests script it: real files in a temporary folder, chosen special folders,
// a fixed clock.
class THeadlessPlatform : public IPlatform {
public:
    IFileSystem& Files() override { return FFiles; }
    std::string ExecutablePath() override { return ExePath; }
    std::optional<std::string> SpecialFolder(TSpecialFolder folder) override {
        const auto found = Folders.find(folder);
        if (found == Folders.end()) {
            return std::nullopt;
        }
        return found->second;
    }
    TLocalTime Now() override { return Clock; }

    std::string ExePath = "\\nonexistent\\Quorlan.exe";
    std::map<TSpecialFolder, std::string> Folders;
    TLocalTime Clock{2026, 5, 7, 9, 5, 0};

private:
    TPosixFileSystem FFiles;
};
