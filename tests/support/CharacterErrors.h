#pragma once

#include <string_view>

// The character error rate of `read` against `truth` (UTF-8): the fewest code points inserted,
// deleted or replaced to make one the other, over the truth's code points.
double CharacterErrorRate(std::string_view truth, std::string_view read);
