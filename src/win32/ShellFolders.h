#pragma once

#include "platform/Shell.h"

#include <optional>
#include <string>

// The user's known folder of that kind, without a final "\".
std::optional<std::string> KnownFolderPath(TSpecialFolder folder);

// Full path of the running executable.
std::string ExecutableFullPath();
