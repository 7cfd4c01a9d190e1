#include "win32/SingleInstance.h"
#include "win32/Win32Platform.h"
#include "win32/dialogs/MessageBoxDialog.h"

#include "win32/WideText.h"

#include "app/Program.h"
#include "base/Texts.h"
#include "ocr/TesseractReader.h"
#include "platform/BoxModel.h"

#include <objbase.h>

#include <cstdint>
#include <map>
#include <span>
#include <string>

namespace {

// The trained data built into the exe, read where the resource lies (never copied to a file).
std::span<const std::uint8_t> TrainedDataResource(HINSTANCE instance, int id) {
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10)); // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    return bytes ? std::span<const std::uint8_t>(static_cast<const std::uint8_t*>(bytes),
                                                 SizeofResource(instance, found))
                 : std::span<const std::uint8_t>();
}

// Other languages' data: a "tessdata" folder beside the exe.
std::string DataFolder() {
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    path.resize(length);
    return Utf8FromWide(path.substr(0, path.find_last_of(L'\\') + 1)) + "tessdata";
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // The shell's functions (opening files, the folder browser) want COM on this thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    int result = 0;
    try {
        const TSingleInstance single;
        if (single.First()) {
            std::map<std::string, std::span<const std::uint8_t>> builtIn;
            for (const auto& [language, id] : {std::pair{"jpn", 101}, std::pair{"eng", 102}}) {
                if (const auto data = TrainedDataResource(instance, id); !data.empty()) {
                    builtIn[language] = data;
                }
            }
            TTesseractReader reader(DataFolder(), std::move(builtIn));
            TWin32Platform platform(instance, reader);
            result = RunProgram(platform);
        } else {
            // A second copy would watch the same key and save into the same names: it says so
            // and ends, having written nothing and added nothing to the desktop.
            RunMessageBox(MakeBoxModel(TBoxKind::Warning, TBoxButtons::Ok),
                          Text(TText::AlreadyRunning));
        }
    } catch (...) {
        result = 1;
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return result;
}
