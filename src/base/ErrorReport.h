#pragma once

#include <exception>
#include <mutex>
#include <string>
#include <string_view>

// The general error handler's text: the message with "." appended, unless it is empty or its
// last character's code is not above that of "." (a double-byte last character always is).
std::string GeneralErrorText(std::string_view message);

// The message of whatever was thrown: the program's own kinds carry theirs.
std::string ExceptionMessage(const std::exception_ptr& error);

// The first error of a thread of ours, kept until the user-interface thread tells it: later ones
// are dropped, as are all once one has been told.
class TBackgroundErrors {
public:
    // From any thread: true when this error is to be told (the loop is to be woken for it).
    bool Hand(std::exception_ptr error) noexcept;
    // On the user-interface thread: the error waiting, if any.
    std::exception_ptr Take() noexcept;

private:
    std::mutex FLock;
    std::exception_ptr FError;
    bool FHanded = false;
};
