#include "imaging/PixelMemory.h"

#include <mutex>
#include <new>
#include <utility>

namespace {

struct TKeptBlock {
    std::mutex Lock;
    std::uint8_t* Block = nullptr;
    std::size_t Capacity = 0;

    ~TKeptBlock() { ::operator delete[](Block); }
};

TKeptBlock& Kept() {
    static TKeptBlock kept;
    return kept;
}

} // namespace

void TPixelMemoryReturn::operator()(std::uint8_t* block) const {
    if (FCapacity >= kMinKeptBytes && FCapacity <= kMaxKeptBytes) {
        TKeptBlock& kept = Kept();
        std::lock_guard guard(kept.Lock);
        std::swap(kept.Block, block);
        kept.Capacity = FCapacity;
    }
    ::operator delete[](block);
}

TPixelMemory AcquirePixelMemory(std::size_t bytes) {
    {
        TKeptBlock& kept = Kept();
        std::lock_guard guard(kept.Lock);
        // Reuse only a block not much larger than asked, so a small store never pins a big one.
        if (kept.Block && kept.Capacity >= bytes && kept.Capacity - bytes <= bytes / 2) {
            const std::size_t capacity = kept.Capacity;
            kept.Capacity = 0;
            return TPixelMemory(std::exchange(kept.Block, nullptr), TPixelMemoryReturn(capacity));
        }
    }
    auto* block = static_cast<std::uint8_t*>(::operator new[](bytes));
    return TPixelMemory(block, TPixelMemoryReturn(bytes));
}
