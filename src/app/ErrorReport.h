#pragma once

#include <exception>
#include <string>
#include <string_view>

// The general error handler's text: the message with "." appended, unless it is empty or its
// last character's code is not above that of "." (a double-byte last character always is).
std::string GeneralErrorText(std::string_view message);

// The message of whatever was thrown: the program's own kinds carry theirs.
std::string ExceptionMessage(const std::exception_ptr& error);
