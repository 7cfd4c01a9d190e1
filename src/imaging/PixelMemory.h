#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// Memory for pixel stores. The most recently freed large block is kept and handed to the next
// store that fits it: captures come one after another at the same size, and fresh memory costs
// a page fault per 4 KB on first touch. At most one block (of at most kMaxKeptBytes) is kept.
class TPixelMemoryReturn {
public:
    TPixelMemoryReturn() = default;
    explicit TPixelMemoryReturn(std::size_t capacity) : FCapacity(capacity) {}
    void operator()(std::uint8_t* block) const;
    std::size_t Capacity() const { return FCapacity; }

private:
    std::size_t FCapacity = 0;
};

using TPixelMemory = std::unique_ptr<std::uint8_t[], TPixelMemoryReturn>;

inline constexpr std::size_t kMinKeptBytes = std::size_t{1} << 20;
inline constexpr std::size_t kMaxKeptBytes = std::size_t{64} << 20;

// Raises std::bad_alloc when the memory cannot be had.
TPixelMemory AcquirePixelMemory(std::size_t bytes);
