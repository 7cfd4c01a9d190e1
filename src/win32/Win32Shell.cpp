#include "win32/Win32Shell.h"

#include "win32/CoTaskMemory.h"
#include "win32/ShellFolders.h"
#include "win32/WideText.h"

#include <shellapi.h>
#include <shlobj.h>

TWin32Shell::~TWin32Shell() {
    try {
        FClipboard.RenderAll(); // what was copied stays pasteable after we have gone
    } catch (...) {
        // Out of memory at exit: the clipboard is left with its formats promised.
    }
}

std::string TWin32Shell::ExecutablePath() {
    return ExecutableFullPath();
}

std::optional<std::string> TWin32Shell::SpecialFolder(TSpecialFolder folder) {
    return KnownFolderPath(folder);
}

TLocalTime TWin32Shell::Now() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

void TWin32Shell::ShellOpen(const std::string& fileName) {
    ShellExecuteW(nullptr, L"open", WideFromUtf8(fileName).c_str(), nullptr, L"", SW_SHOWNORMAL);
}

void TWin32Shell::ShowInFolder(const std::string& fileName) {
    const std::wstring path = WideFromUtf8(FFiles.FullPath(fileName));
    const TCoTaskMemory<ITEMIDLIST> item(ILCreateFromPathW(path.c_str()));
    if (item.Get() && SUCCEEDED(SHOpenFolderAndSelectItems(item.Get(), 0, nullptr, 0))) {
        return;
    }
    const std::wstring select = L"/select,\"" + path + L"\"";
    ShellExecuteW(nullptr, L"open", L"explorer.exe", select.c_str(), nullptr, SW_SHOWNORMAL);
}

bool TWin32Shell::SetClipboardPicture(std::shared_ptr<const IClipboardPicture> picture) {
    return FClipboard.Offer(std::move(picture));
}

bool TWin32Shell::SetClipboardText(const std::string& text) {
    return FClipboard.OfferText(text);
}

bool TWin32Shell::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    result = 0;
    return FClipboard.HandleMessage(message, wParam);
}
