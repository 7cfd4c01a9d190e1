#include "imaging/ColourMatcher.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cassert>
#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace {

int Square(int v) {
    return v * v;
}

// Squared distance from an entry to the nearest and the farthest colour of a cube of colours
// [low, low + size) on every channel.
int AxisNear(int value, int low, int size) {
    if (value < low) {
        return low - value;
    }
    if (value > low + size - 1) {
        return value - (low + size - 1);
    }
    return 0;
}

int AxisFar(int value, int low, int size) {
    return std::max(std::abs(value - low), std::abs(value - (low + size - 1)));
}

struct TCube {
    int R, G, B, Size;
};

int NearDistance(const TRgb& c, const TCube& cube) {
    return Square(AxisNear(c.R, cube.R, cube.Size)) + Square(AxisNear(c.G, cube.G, cube.Size)) +
           Square(AxisNear(c.B, cube.B, cube.Size));
}

int FarDistance(const TRgb& c, const TCube& cube) {
    return Square(AxisFar(c.R, cube.R, cube.Size)) + Square(AxisFar(c.G, cube.G, cube.Size)) +
           Square(AxisFar(c.B, cube.B, cube.Size));
}

// The entries among `from` that can be nearest to some colour of the cube, in index order.
// A subset of the candidates of any cube that holds this one.
void Candidates(const TPalette& palette, const std::vector<std::uint8_t>& from, const TCube& cube,
                std::vector<std::uint8_t>& out) {
    int bestFar = INT32_MAX;
    for (const std::uint8_t index : from) {
        bestFar = std::min(bestFar, FarDistance(palette[index], cube));
    }
    out.clear();
    for (const std::uint8_t index : from) {
        if (NearDistance(palette[index], cube) <= bestFar) {
            out.push_back(index);
        }
    }
}

constexpr int kCellBits = 6; // cells of 4 colours on each channel
constexpr int kCellSize = 256 >> kCellBits;
constexpr int kCoarseSize = 16; // first pass over cubes of 16 colours
constexpr int kCellsPerCoarse = kCoarseSize / kCellSize;

} // namespace

std::uint8_t NearestColourExhaustive(const TPalette& palette, std::uint8_t r, std::uint8_t g,
                                     std::uint8_t b) {
    int best = INT32_MAX;
    std::uint8_t bestIndex = 0;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const int d =
            Square(palette[i].R - r) + Square(palette[i].G - g) + Square(palette[i].B - b);
        if (d < best) {
            best = d;
            bestIndex = static_cast<std::uint8_t>(i);
        }
    }
    return bestIndex;
}

TColourMatcher::TColourMatcher(const TPalette& palette)
    : FPalette(palette), FCells(std::size_t{1} << (3 * kCellBits)) {
    assert(!palette.empty() && palette.size() <= 256);
    std::vector<std::uint8_t> all(palette.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        all[i] = static_cast<std::uint8_t>(i);
    }
    std::vector<std::uint8_t> coarse;
    std::vector<std::uint8_t> fine;
    for (int cr = 0; cr < 256; cr += kCoarseSize) {
        for (int cg = 0; cg < 256; cg += kCoarseSize) {
            for (int cb = 0; cb < 256; cb += kCoarseSize) {
                Candidates(palette, all, {cr, cg, cb, kCoarseSize}, coarse);
                for (int i = 0; i < kCellsPerCoarse * kCellsPerCoarse * kCellsPerCoarse; ++i) {
                    const int r = cr + (i / (kCellsPerCoarse * kCellsPerCoarse)) * kCellSize;
                    const int g = cg + (i / kCellsPerCoarse % kCellsPerCoarse) * kCellSize;
                    const int b = cb + (i % kCellsPerCoarse) * kCellSize;
                    if (coarse.size() == 1) {
                        fine = coarse;
                    } else {
                        Candidates(palette, coarse, {r, g, b, kCellSize}, fine);
                    }
                    const std::uint32_t cell = (static_cast<std::uint32_t>(r / kCellSize) << 12) |
                                               ((g / kCellSize) << 6) | (b / kCellSize);
                    if (fine.size() == 1) {
                        FCells[cell] = fine.front();
                    } else {
                        FCells[cell] = kListFlag + static_cast<std::uint32_t>(FLists.size());
                        FLists.push_back(static_cast<std::uint8_t>(fine.size() - 1));
                        FLists.insert(FLists.end(), fine.begin(), fine.end());
                    }
                }
            }
        }
    }
}

std::uint8_t TColourMatcher::SearchList(std::uint32_t listStart, std::uint8_t r, std::uint8_t g,
                                        std::uint8_t b) const {
    const std::uint8_t* list = FLists.data() + listStart;
    const int count = list[0] + 1;
    int best = INT32_MAX;
    std::uint8_t bestIndex = 0;
    for (int i = 1; i <= count; ++i) {
        const TRgb& c = FPalette[list[i]];
        const int d = Square(c.R - r) + Square(c.G - g) + Square(c.B - b);
        if (d < best) {
            best = d;
            bestIndex = list[i];
        }
    }
    return bestIndex;
}

const TColourMatcher& TColourMatcher::For(const TPalette& palette) {
    static std::mutex lock;
    static std::map<std::string, std::unique_ptr<TColourMatcher>> matchers;
    std::string key;
    key.reserve(palette.size() * 3);
    for (const TRgb& c : palette) {
        key += static_cast<char>(c.R);
        key += static_cast<char>(c.G);
        key += static_cast<char>(c.B);
    }
    std::lock_guard guard(lock);
    auto& matcher = matchers[key];
    if (!matcher) {
        matcher = std::make_unique<TColourMatcher>(palette);
    }
    return *matcher;
}
