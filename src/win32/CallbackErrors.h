#pragma once

class IMainWindowEvents;

// No exception may leave a Win32 callback. Each callback entry catches and calls
// ReportCallbackError from its catch block, which hands the error to the program's general
// error handler (the main window's handler); before there is one, or after it has gone, the
// error is dropped and the program goes on.
void SetCallbackErrorHandler(IMainWindowEvents* handler) noexcept;
void ReportCallbackError() noexcept;
