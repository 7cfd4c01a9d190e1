#include "base/ErrorReport.h"

#include "base/Errors.h"
#include "base/Texts.h"
#include "base/Utf.h"

#include <new>
#include <utility>

std::string GeneralErrorText(std::string_view message) {
    std::string text(message);
    char32_t last = 0;
    for (std::size_t i = 0; i < message.size();) {
        last = NextCodePoint(message, i);
    }
    if (last > U'.') { // every character beyond ASCII is above it
        text += '.';
    }
    return text;
}

std::string ExceptionMessage(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const Exception& known) {
        return known.Message();
    } catch (const std::bad_alloc&) {
        return Text(TText::OutOfSystemResources);
    } catch (const std::exception& other) {
        return other.what();
    } catch (...) {
        return {};
    }
}

bool TBackgroundErrors::Hand(std::exception_ptr error) noexcept {
    const std::lock_guard lock(FLock);
    if (FError || FHanded) {
        return false; // told once
    }
    FError = std::move(error);
    return true;
}

std::exception_ptr TBackgroundErrors::Take() noexcept {
    const std::lock_guard lock(FLock);
    std::exception_ptr error = std::exchange(FError, nullptr);
    FHanded = FHanded || error;
    return error;
}
