#pragma once

#include <string>
#include <string_view>

// Any bytes as the settings file: loading gives every field in range, saving writes a file
// that loads back the same values and keeps every line that is not one of ours. Returns what
// went wrong, or nothing.
std::string CheckSettingsRoundTrip(std::string_view fileBytes);
