#pragma once

#include <windows.h>
#include <objbase.h>

#include <utility>

// Memory the shell handed over, freed with CoTaskMemFree.
template <typename T> class TCoTaskMemory {
public:
    TCoTaskMemory() = default;
    explicit TCoTaskMemory(T* memory) : FMemory(memory) {}
    ~TCoTaskMemory() { CoTaskMemFree(FMemory); }
    TCoTaskMemory(const TCoTaskMemory&) = delete;
    TCoTaskMemory& operator=(const TCoTaskMemory&) = delete;
    T* Get() const { return FMemory; }
    // Where a function returning the memory through a pointer puts it.
    T** Put() {
        CoTaskMemFree(std::exchange(FMemory, nullptr));
        return &FMemory;
    }

private:
    T* FMemory = nullptr;
};
