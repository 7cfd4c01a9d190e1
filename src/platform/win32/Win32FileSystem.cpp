#include "platform/win32/Win32FileSystem.h"

#include "platform/win32/SystemError.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"

#include "base/Errors.h"
#include "base/FormatText.h"
#include "base/Texts.h"
#include "base/PathText.h"

#include <windows.h>

#include <atomic>

namespace {

struct TFileHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type handle) { CloseHandle(handle); }
};
using TFileHandle = TUniqueHandle<TFileHandleTraits>;

DWORD Attributes(const std::string& path) {
    try {
        return GetFileAttributesW(WideFromCp932(path).c_str());
    } catch (const EConvertError&) {
        return INVALID_FILE_ATTRIBUTES;
    }
}

[[noreturn]] void RaiseCreateError(const std::string& fullPath, DWORD code) {
    throw EFCreateError(
        FormatText(Text(TText::CreateFileFailed), {fullPath, SystemErrorText(code)}));
}

class TWin32OutputFile : public TOutputFile {
public:
    TWin32OutputFile(std::wstring target, std::wstring temporary, TFileHandle handle,
                     std::string fullPath)
        : FTarget(std::move(target)), FTemporary(std::move(temporary)), FHandle(std::move(handle)),
          FFullPath(std::move(fullPath)) {}

    ~TWin32OutputFile() override {
        if (!FCommitted) {
            FHandle.Reset();
            DeleteFileW(FTemporary.c_str());
        }
    }

    void Write(const void* data, std::size_t size) override {
        const auto* bytes = static_cast<const char*>(data);
        while (size > 0) {
            const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
            DWORD written = 0;
            if (!::WriteFile(FHandle.Get(), bytes, chunk, &written, nullptr) || written != chunk) {
                throw EWriteError(Text(TText::StreamWriteError));
            }
            bytes += written;
            size -= written;
        }
    }

    void Commit() override {
        if (!FlushFileBuffers(FHandle.Get())) {
            throw EWriteError(Text(TText::StreamWriteError));
        }
        FHandle.Reset();
        if (!ReplaceTarget()) {
            RaiseCreateError(FFullPath, GetLastError());
        }
        FCommitted = true;
    }

private:
    // Another program reading the target without sharing it for deletion (an editor, a virus
    // scanner, an indexer) blocks the replacement only while it holds the file open: wait
    // for it a little before calling the save failed.
    bool ReplaceTarget() const {
        constexpr DWORD kPatience = 2000; // ms
        DWORD waited = 0;
        for (DWORD pause = 10;; pause = pause < 250 ? pause * 2 : 250) {
            if (MoveFileExW(FTemporary.c_str(), FTarget.c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
                return true;
            }
            const DWORD code = GetLastError();
            if (!HeldByAnother(code) || waited >= kPatience) {
                SetLastError(code);
                return false;
            }
            Sleep(pause);
            waited += pause;
        }
    }

    bool HeldByAnother(DWORD code) const {
        if (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION) {
            return true;
        }
        // Access is also refused for a target that became read-only or a folder meanwhile;
        // that does not pass with waiting.
        const DWORD attributes = GetFileAttributesW(FTarget.c_str());
        return code == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
               !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY));
    }

    std::wstring FTarget;
    std::wstring FTemporary;
    TFileHandle FHandle;
    std::string FFullPath;
    bool FCommitted = false;
};

} // namespace

std::optional<std::string> TWin32FileSystem::ReadFile(const std::string& path, std::size_t limit) {
    const DWORD attributes = Attributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return std::nullopt;
    }
    TFileHandle file(CreateFileW(WideFromCp932(path).c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > limit) {
        return std::nullopt;
    }
    std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < content.size()) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(content.size() - done);
        if (!::ReadFile(file.Get(), content.data() + done, want, &got, nullptr)) {
            return std::nullopt;
        }
        if (got == 0) {
            content.resize(done); // the file shrank while being read
            break;
        }
        done += got;
    }
    return content;
}

bool TWin32FileSystem::Exists(const std::string& path) {
    return Attributes(path) != INVALID_FILE_ATTRIBUTES;
}

bool TWin32FileSystem::FileExists(const std::string& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool TWin32FileSystem::DirectoryExists(const std::string& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::unique_ptr<TOutputFile> TWin32FileSystem::CreateReplacement(const std::string& path) {
    const std::string fullPath = FullPath(path);
    std::wstring target;
    try {
        target = WideFromCp932(fullPath);
    } catch (const EConvertError&) {
        RaiseCreateError(fullPath, ERROR_INVALID_NAME);
    }
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) {
        RaiseCreateError(fullPath, ERROR_ACCESS_DENIED);
    }
    static std::atomic<unsigned> counter{0};
    const std::wstring folder = WideFromCp932(ExtractFolder(fullPath));
    const std::wstring temporary = folder + L"~qrl" + std::to_wstring(GetCurrentProcessId()) +
                                   L"-" + std::to_wstring(counter++) + L".tmp";
    TFileHandle handle(CreateFileW(temporary.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle) {
        RaiseCreateError(fullPath, GetLastError());
    }
    return std::make_unique<TWin32OutputFile>(target, temporary, std::move(handle), fullPath);
}

std::string TWin32FileSystem::FullPath(const std::string& path) {
    try {
        const std::wstring wide = WideFromCp932(path);
        const DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
        if (length == 0) {
            return path;
        }
        std::wstring full(length, L'\0');
        const DWORD written = GetFullPathNameW(wide.c_str(), length, full.data(), nullptr);
        full.resize(written);
        return Cp932FromWide(full);
    } catch (const EConvertError&) {
        return path;
    }
}
