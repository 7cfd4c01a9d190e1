#pragma once

#include "base/PointerPicture.h"

#include <optional>

// The pointer as the screen shows it now (its shape, transparency, hot spot at its position);
// nothing while it is hidden or cannot be read.
std::optional<TPointerPicture> CurrentPointerPicture();
