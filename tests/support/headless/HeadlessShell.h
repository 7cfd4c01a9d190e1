#pragma once

#include "platform/Shell.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The shell: the executable's path, chosen special folders, a fixed clock, the files opened and
// shown in their folders (ShellOpenFails makes opening fail), and the clipboard, which holds the
// last picture or text put there (ClipboardBusy makes putting either fail).
class THeadlessShell : public IShell {
public:
    std::string ExecutablePath() override { return ExePath; }
    std::optional<std::string> SpecialFolder(TSpecialFolder folder) override;
    TLocalTime Now() override { return Clock; }
    void ShellOpen(const std::string& fileName) override;
    void ShowInFolder(const std::string& fileName) override { ShownInFolder.push_back(fileName); }
    bool SetClipboardPicture(std::shared_ptr<const IClipboardPicture> picture) override;
    bool SetClipboardText(const std::string& text) override;

    std::string ExePath = "\\nonexistent\\Quorlan.exe";
    std::map<TSpecialFolder, std::string> Folders;
    TLocalTime Clock{2026, 5, 7, 9, 5, 0};
    std::vector<std::string> Opened;
    bool ShellOpenFails = false;
    std::vector<std::string> ShownInFolder;
    std::shared_ptr<const IClipboardPicture> Clipboard;
    std::optional<std::string> ClipboardText; // in place of the picture, when text was put there
    bool ClipboardBusy = false;
};
