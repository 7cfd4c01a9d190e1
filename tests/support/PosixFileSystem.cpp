#include "support/PosixFileSystem.h"

#include "base/Errors.h"
#include "base/FormatText.h"
#include "base/Texts.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace {

std::string SystemText(int code) {
    return std::strerror(code);
}

[[noreturn]] void RaiseCreateError(const std::string& fullPath, int code) {
    throw EFCreateError(FormatText(Text(TText::CreateFileFailed), {fullPath, SystemText(code)}));
}

bool StatPath(const std::string& path, struct stat& info) {
    return ::stat(NativePath(path).c_str(), &info) == 0;
}

class TPosixOutputFile : public TOutputFile {
public:
    TPosixOutputFile(std::string target, std::string temporary, int descriptor,
                     std::string fullPath)
        : FTarget(std::move(target)), FTemporary(std::move(temporary)), FDescriptor(descriptor),
          FFullPath(std::move(fullPath)) {}

    ~TPosixOutputFile() override {
        if (FDescriptor >= 0) {
            ::close(FDescriptor);
        }
        if (!FCommitted) {
            ::unlink(FTemporary.c_str());
        }
    }

    void Write(const void* data, std::size_t size) override {
        const auto* bytes = static_cast<const char*>(data);
        while (size > 0) {
            const ssize_t written = ::write(FDescriptor, bytes, size);
            if (written < 0 && errno == EINTR) {
                continue;
            }
            if (written <= 0) {
                throw EWriteError(Text(TText::StreamWriteError));
            }
            bytes += written;
            size -= static_cast<std::size_t>(written);
        }
    }

    void Commit() override {
        if (::fsync(FDescriptor) != 0) {
            throw EWriteError(Text(TText::StreamWriteError));
        }
        const int descriptor = std::exchange(FDescriptor, -1);
        if (::close(descriptor) != 0) {
            throw EWriteError(Text(TText::StreamWriteError));
        }
        if (::rename(FTemporary.c_str(), FTarget.c_str()) != 0) {
            RaiseCreateError(FFullPath, errno);
        }
        FCommitted = true;
    }

private:
    std::string FTarget;
    std::string FTemporary;
    int FDescriptor;
    std::string FFullPath;
    bool FCommitted = false;
};

} // namespace

std::string NativePath(const std::string& path) {
    std::string native = path;
    std::replace(native.begin(), native.end(), '\\', '/');
    return native;
}

std::string ProgramPath(const std::string& nativePath) {
    std::string path = nativePath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::optional<std::string> TPosixFileSystem::ReadFile(const std::string& path, std::size_t limit) {
    const int descriptor = ::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return std::nullopt;
    }
    struct stat info {};
    std::optional<std::string> content;
    if (::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode) &&
        static_cast<std::size_t>(info.st_size) <= limit) {
        content.emplace(static_cast<std::size_t>(info.st_size), '\0');
        std::size_t done = 0;
        while (done < content->size()) {
            const ssize_t got = ::read(descriptor, content->data() + done, content->size() - done);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0) {
                content.reset();
                break;
            }
            if (got == 0) {
                content->resize(done);
                break;
            }
            done += static_cast<std::size_t>(got);
        }
    }
    ::close(descriptor);
    return content;
}

bool TPosixFileSystem::Exists(const std::string& path) {
    struct stat info {};
    return StatPath(path, info);
}

bool TPosixFileSystem::FileExists(const std::string& path) {
    struct stat info {};
    return StatPath(path, info) && !S_ISDIR(info.st_mode);
}

bool TPosixFileSystem::DirectoryExists(const std::string& path) {
    struct stat info {};
    return StatPath(path, info) && S_ISDIR(info.st_mode);
}

std::unique_ptr<TOutputFile> TPosixFileSystem::CreateReplacement(const std::string& path) {
    const std::string fullPath = FullPath(path);
    const std::string target = NativePath(fullPath);
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            RaiseCreateError(fullPath, EISDIR);
        }
        // As on Windows, a read-only file refuses to be replaced, even for the superuser.
        if ((info.st_mode & 0222) == 0) {
            RaiseCreateError(fullPath, EACCES);
        }
    }
    const std::size_t slash = target.rfind('/');
    std::string temporary = target.substr(0, slash + 1) + ".quorlan-XXXXXX";
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0) {
        RaiseCreateError(fullPath, errno);
    }
    ::fchmod(descriptor, 0644);
    return std::make_unique<TPosixOutputFile>(target, temporary, descriptor, fullPath);
}

std::string TPosixFileSystem::FullPath(const std::string& path) {
    if (!path.empty() && path.front() == '\\') {
        return path;
    }
    char buffer[4096];
    if (::getcwd(buffer, sizeof buffer) == nullptr) {
        return path;
    }
    return ProgramPath(buffer) + "\\" + path;
}

void TPosixFileSystem::RemoveLeftovers(const std::string& folder) {
    if (SweepFails) {
        throw std::runtime_error("the sweep ran out of memory");
    }
    const std::lock_guard lock(FSweptMutex);
    FSwept.push_back(folder);
}

std::vector<std::string> TPosixFileSystem::SweptFolders() const {
    const std::lock_guard lock(FSweptMutex);
    return FSwept;
}
