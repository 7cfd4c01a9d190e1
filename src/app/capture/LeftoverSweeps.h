#pragma once

#include "platform/FileSystem.h"

#include <exception>
#include <functional>
#include <string>
#include <thread>
#include <vector>

// What killed saves left behind in a folder is removed on a thread of its own: a large folder
// takes a while to search, and nothing waits for it (a save of ours never meets their names).
// A failure is told by `failed`, from that thread; without a thread to be had the leftovers wait
// for the next start. Each sweep is joined when the sweeps go.
class TLeftoverSweeps {
public:
    TLeftoverSweeps(IFileSystem& files, std::function<void(std::exception_ptr)> failed)
        : FFiles(files), FFailed(std::move(failed)) {}

    void Sweep(std::vector<std::string> folders);
    void JoinAll() { FSweeps.clear(); }

private:
    IFileSystem& FFiles;
    std::function<void(std::exception_ptr)> FFailed;
    // Declared last, so that they end before what they use.
    std::vector<std::jthread> FSweeps;
};
