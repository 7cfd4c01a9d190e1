#pragma once

#include "base/LocalTime.h"
#include "platform/FileSystem.h"

#include <optional>
#include <string>

enum class TSpecialFolder { Pictures, Documents };

// What the program needs from the desktop it runs on. The Win32 layer implements it for the
// real program; tests use a headless stand-in.
class IPlatform {
public:
    virtual ~IPlatform() = default;

    virtual IFileSystem& Files() = 0;

    // Full path of the running executable.
    virtual std::string ExecutablePath() = 0;
    // The user's folder of that kind, without a final "\"; nothing when there is none.
    virtual std::optional<std::string> SpecialFolder(TSpecialFolder folder) = 0;
    virtual TLocalTime Now() = 0;
};
