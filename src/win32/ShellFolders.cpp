#include "win32/ShellFolders.h"

#include "win32/CoTaskMemory.h"
#include "win32/WideText.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

std::optional<std::string> KnownFolderPath(TSpecialFolder folder) {
    const KNOWNFOLDERID& id =
        folder == TSpecialFolder::Pictures ? FOLDERID_Pictures : FOLDERID_Documents;
    TCoTaskMemory<wchar_t> path;
    const HRESULT result = SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, path.Put());
    if (FAILED(result) || !path.Get()) {
        return std::nullopt;
    }
    return Utf8FromWide(path.Get());
}

std::string ExecutableFullPath() {
    std::wstring buffer(MAX_PATH, L'\0');
    while (true) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) {
            buffer.resize(length);
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    return Utf8FromWide(buffer);
}
