#include "app/capture/LeftoverSweeps.h"

#include <utility>

void TLeftoverSweeps::Sweep(std::vector<std::string> folders) {
    auto sweep = [this, folders = std::move(folders)] {
        try {
            for (const std::string& folder : folders) {
                FFiles.RemoveLeftovers(folder);
            }
        } catch (...) {
            FFailed(std::current_exception());
        }
    };
    try {
        FSweeps.emplace_back(std::move(sweep));
    } catch (...) {
        // No thread to be had: the leftovers wait for the next start.
    }
}
