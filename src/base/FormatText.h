#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// Fills the "%s" and "%d" places of a message pattern, in order, with the given texts.
// A place without an argument is left as it stands; "%%" gives "%".
std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> args);
