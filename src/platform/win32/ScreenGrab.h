#pragma once

#include "platform/Platform.h"

#include <memory>

// A block of the screen copied into a 32-bit device-independent section: the part of the
// block that lies on the virtual screen (all monitors); the rest is left out.
std::unique_ptr<TScreenPixels> GrabScreenBlock(std::int32_t left, std::int32_t top,
                                               std::int32_t width, std::int32_t height);

TDisplayColours ReadDisplayColours();
