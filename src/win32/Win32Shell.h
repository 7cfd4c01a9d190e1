#pragma once

#include "platform/Shell.h"
#include "win32/ClipboardOwner.h"
#include "win32/PrivateMessages.h"
#include "win32/Win32FileSystem.h"

#include <windows.h>

// Where the program runs, the user's folders and clock, Explorer and the file associations,
// and the clipboard, whose late formats the main window renders.
class TWin32Shell : public IShell, public IWindowMessages {
public:
    TWin32Shell(HWND window, TWin32FileSystem& files) : FFiles(files), FClipboard(window) {}
    ~TWin32Shell() override;
    TWin32Shell(const TWin32Shell&) = delete;
    TWin32Shell& operator=(const TWin32Shell&) = delete;

    std::string ExecutablePath() override;
    std::optional<std::string> SpecialFolder(TSpecialFolder folder) override;
    TLocalTime Now() override;
    void ShellOpen(const std::string& fileName) override;
    void ShowInFolder(const std::string& fileName) override;
    bool SetClipboardPicture(std::shared_ptr<const IClipboardPicture> picture) override;
    bool SetClipboardText(const std::string& text) override;

    // The clipboard owner's messages.
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    TWin32FileSystem& FFiles;
    TClipboardOwner FClipboard;
};
