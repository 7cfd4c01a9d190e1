#pragma once

#include <windows.h>

#include <cstddef>
#include <type_traits>
#include <utility>

// One move-only owner per handle kind and release function, each declared in one line:
//   using TIconHandle = TUniqueAny<HICON, DestroyIcon>;
// Invalid names the handle value that owns nothing (null unless said otherwise).
template <typename THandle, auto Close, auto Invalid = nullptr> class TUniqueAny {
public:
    TUniqueAny() = default;
    explicit TUniqueAny(THandle handle) : FHandle(handle) {}
    ~TUniqueAny() { Reset(); }

    TUniqueAny(const TUniqueAny&) = delete;
    TUniqueAny& operator=(const TUniqueAny&) = delete;
    TUniqueAny(TUniqueAny&& other) noexcept : FHandle(other.Release()) {}
    TUniqueAny& operator=(TUniqueAny&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }

    THandle Get() const { return FHandle; }
    explicit operator bool() const { return FHandle != InvalidValue(); }

    THandle Release() { return std::exchange(FHandle, InvalidValue()); }
    void Reset(THandle handle = InvalidValue()) {
        const THandle old = std::exchange(FHandle, handle);
        if (old != InvalidValue()) {
            Close(old);
        }
    }

private:
    static THandle InvalidValue() {
        if constexpr (std::is_same_v<decltype(Invalid), std::nullptr_t>) {
            return nullptr;
        } else {
            return reinterpret_cast<THandle>(Invalid); // INVALID_HANDLE_VALUE is (HANDLE)-1
        }
    }
    THandle FHandle = InvalidValue();
};

// Kernel handles: most are null when missing, a file's is INVALID_HANDLE_VALUE.
using TKernelHandle = TUniqueAny<HANDLE, CloseHandle>;
using TFileHandle = TUniqueAny<HANDLE, CloseHandle, INT_PTR{-1}>;
using TFindHandle = TUniqueAny<HANDLE, FindClose, INT_PTR{-1}>;
