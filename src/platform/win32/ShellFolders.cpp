#include "platform/win32/ShellFolders.h"

#include "platform/win32/WideText.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <memory>

namespace {

struct TCoTaskFree {
    void operator()(wchar_t* text) const { CoTaskMemFree(text); }
};

} // namespace

std::optional<std::string> KnownFolderPath(TSpecialFolder folder) {
    const KNOWNFOLDERID& id =
        folder == TSpecialFolder::Pictures ? FOLDERID_Pictures : FOLDERID_Documents;
    wchar_t* raw = nullptr;
    const HRESULT result = SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &raw);
    std::unique_ptr<wchar_t, TCoTaskFree> path(raw);
    if (FAILED(result) || !path) {
        return std::nullopt;
    }
    return Utf8FromWide(path.get());
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
