#pragma once

#include <cstdint>
#include <string>

// The system's text for an error code, in the user's language, without its final
// line break; empty when the system has none.
std::string SystemErrorText(std::uint32_t code);

// EOutOfResources with the system's text for the last error (or the program's own text).
[[noreturn]] void RaiseOutOfResources();
