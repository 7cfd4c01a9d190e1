#pragma once

#include <utility>

// One move-only owner per handle kind and release function. Traits give the handle type, its
// invalid value and how to release it.
template <typename Traits> class TUniqueHandle {
public:
    using THandle = typename Traits::Type;

    TUniqueHandle() = default;
    explicit TUniqueHandle(THandle handle) : FHandle(handle) {}
    ~TUniqueHandle() { Reset(); }

    TUniqueHandle(const TUniqueHandle&) = delete;
    TUniqueHandle& operator=(const TUniqueHandle&) = delete;
    TUniqueHandle(TUniqueHandle&& other) noexcept : FHandle(other.Release()) {}
    TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }

    THandle Get() const { return FHandle; }
    explicit operator bool() const { return FHandle != Traits::Invalid(); }

    THandle Release() { return std::exchange(FHandle, Traits::Invalid()); }
    void Reset(THandle handle = Traits::Invalid()) {
        const THandle old = std::exchange(FHandle, handle);
        if (old != Traits::Invalid()) {
            Traits::Close(old);
        }
    }

private:
    THandle FHandle = Traits::Invalid();
};
