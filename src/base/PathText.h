#pragma once

#include <string>
#include <string_view>

// The folder part of a path, up to and including its last "\" (or the ":" of a drive), judged
// character by character; empty when there is neither.
std::string ExtractFolder(std::string_view path);
