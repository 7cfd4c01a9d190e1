#pragma once

#include <string>
#include <string_view>

// The text as it was written, from what the recogniser wrote: no space between two Japanese
// characters, nor between a Japanese character and punctuation, the ASCII brackets, colon and
// marks the recogniser writes next to Japanese text given back their full width; the spaces
// between Latin words and between Japanese and Latin words kept. Lines in reading order joined
// by CR LF, blank lines and the spaces at either end of a line dropped.
std::string SpacedAsWritten(std::string_view recognised);
