#pragma once

#include "win32/UniqueHandle.h"

#include <windows.h>

// One Quorlan per user session: a named mutex in the session's namespace, held for the run.
class TSingleInstance {
public:
    TSingleInstance() : FMutex(CreateMutexW(nullptr, FALSE, L"Local\\Quorlan.Running")) {
        // Read at once: the next call may change it.
        FFirst = !FMutex || GetLastError() != ERROR_ALREADY_EXISTS;
    }
    // No other Quorlan of this session runs (or none could be looked for).
    bool First() const { return FFirst; }

private:
    TKernelHandle FMutex;
    bool FFirst = true;
};
