#include "app/ErrorReport.h"

#include "base/Cp932.h"
#include "base/Errors.h"
#include "base/Texts.h"

#include <new>

std::string GeneralErrorText(std::string_view message) {
    std::string text(message);
    const std::size_t last = LastCharStart(message);
    if (last == std::string_view::npos) {
        return text;
    }
    const bool doubleByte = last + 1 < message.size();
    if (doubleByte || static_cast<unsigned char>(message[last]) > '.') {
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
