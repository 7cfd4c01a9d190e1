#include "win32/Win32FileSystem.h"

#include "win32/SystemError.h"
#include "win32/UniqueHandle.h"
#include "win32/WideText.h"

#include "base/Errors.h"
#include "base/FormatText.h"
#include "base/Texts.h"
#include "base/PathText.h"
#include "platform/TemporaryNames.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <random>
#include <cwchar>

namespace {

DWORD Attributes(const std::string& path) {
    return GetFileAttributesW(WideFromUtf8(path).c_str());
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
        // On the disk before it replaces an older file, so that no crash can leave neither;
        // a new file puts nothing at stake and is not waited for.
        if (GetFileAttributesW(FTarget.c_str()) != INVALID_FILE_ATTRIBUTES &&
            !FlushFileBuffers(FHandle.Get())) {
            throw EWriteError(Text(TText::StreamWriteError));
        }
        FHandle.Reset();
        // Hidden only while it is a temporary file: the move keeps its attributes.
        SetFileAttributesW(FTemporary.c_str(), FILE_ATTRIBUTE_NORMAL);
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

// <run> is drawn at random once a run, so a later process given the same id (ids are reused)
// never meets an old name.
std::uint64_t RunTag() {
    std::uint64_t bits = 0;
    try {
        std::random_device random;
        bits = (std::uint64_t{random()} << 32) ^ random();
    } catch (...) {
        // No random source: the clock alone still differs from run to run.
    }
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return bits ^ static_cast<std::uint64_t>(now.QuadPart) * 0x9E3779B97F4A7C15u;
}

std::wstring TemporaryName(const std::wstring& folder) {
    static const std::uint64_t run = RunTag();
    static std::atomic<std::uint32_t> counter{0};
    return folder + WideFromUtf8(TemporaryFileName(GetCurrentProcessId(), run, counter++));
}

// The Quorlan that made a temporary file still runs: a process of its id runs that started
// before the file was made (a later one only got the id again).
bool MakerRuns(DWORD id, const FILETIME& made) {
    TKernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    if (!process) {
        // Gone, or not ours to look at: only a process that is gone frees the name.
        return GetLastError() == ERROR_ACCESS_DENIED;
    }
    DWORD code = 0;
    if (!GetExitCodeProcess(process.Get(), &code) || code != STILL_ACTIVE) {
        return false;
    }
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process.Get(), &created, &exited, &kernel, &user)) {
        return true;
    }
    return CompareFileTime(&created, &made) <= 0;
}

// Temporary files of saves that never finished (the program was killed) are removed from the
// folder, unless the Quorlan that made them still runs; one held open is not removable anyway.
// Only names of exactly our forms are looked at: anything else is the user's.
void RemoveLeftoversIn(std::wstring folder) {
    if (!folder.empty() && folder.back() != L'\\') {
        folder += L'\\';
    }
    WIN32_FIND_DATAW found{};
    const std::wstring pattern = folder + L"~qrl*.tmp";
    const TFindHandle search(FindFirstFileW(pattern.c_str(), &found));
    if (!search) {
        return;
    }
    do {
        const std::wstring name = found.cFileName;
        const auto maker = TemporaryFileMaker(Utf8FromWide(name));
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !maker) {
            continue;
        }
        if (!MakerRuns(*maker, found.ftCreationTime)) {
            SetFileAttributesW((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW((folder + name).c_str());
        }
    } while (FindNextFileW(search.Get(), &found));
}

} // namespace

std::optional<std::string> TWin32FileSystem::ReadFile(const std::string& path, std::size_t limit) {
    const DWORD attributes = Attributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return std::nullopt;
    }
    TFileHandle file(CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ,
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
    const std::wstring target = WideFromUtf8(fullPath);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) {
        RaiseCreateError(fullPath, ERROR_ACCESS_DENIED);
    }
    // Leftovers are swept off the user-interface thread at start-up and when the folder
    // changes: a save never searches its folder.
    const std::wstring folder = WideFromUtf8(ExtractFolder(fullPath));
    std::wstring temporary;
    TFileHandle handle;
    for (int attempt = 0; !handle && attempt < 16; ++attempt) {
        temporary = TemporaryName(folder);
        handle.Reset(CreateFileW(temporary.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 CREATE_NEW, FILE_ATTRIBUTE_HIDDEN, nullptr));
        if (!handle && GetLastError() != ERROR_FILE_EXISTS) {
            break; // only a name in use is worth another try
        }
    }
    if (!handle) {
        RaiseCreateError(fullPath, GetLastError());
    }
    return std::make_unique<TWin32OutputFile>(target, temporary, std::move(handle), fullPath);
}

void TWin32FileSystem::RemoveLeftovers(const std::string& folder) {
    std::wstring wide = WideFromUtf8(FullPath(folder));
    if (!wide.empty() && wide.back() != L'\\') {
        wide += L'\\';
    }
    RemoveLeftoversIn(wide);
}

std::string TWin32FileSystem::FullPath(const std::string& path) {
    const std::wstring wide = WideFromUtf8(path);
    const DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (length == 0) {
        return path;
    }
    std::wstring full(length, L'\0');
    const DWORD written = GetFullPathNameW(wide.c_str(), length, full.data(), nullptr);
    full.resize(written);
    return Utf8FromWide(full);
}
