#include "win32/CallbackErrors.h"

#include "platform/MainWindow.h"

namespace {

// Callbacks run on the user-interface thread only.
IMainWindowEvents* gHandler = nullptr;

} // namespace

void SetCallbackErrorHandler(IMainWindowEvents* handler) noexcept {
    gHandler = handler;
}

void ReportCallbackError() noexcept {
    if (gHandler) {
        gHandler->HandleException();
    }
}
