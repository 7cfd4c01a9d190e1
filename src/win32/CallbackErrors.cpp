#include "win32/CallbackErrors.h"

#include "platform/Platform.h"

namespace {

// Callbacks run on the user-interface thread only.
IMainWindowHandler* gHandler = nullptr;

} // namespace

void SetCallbackErrorHandler(IMainWindowHandler* handler) noexcept {
    gHandler = handler;
}

void ReportCallbackError() noexcept {
    if (gHandler) {
        gHandler->HandleException();
    }
}
