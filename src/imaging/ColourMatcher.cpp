#include "imaging/ColourMatcher.h"

#include "imaging/PixelWords.h"

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

// The nearest of some entries, listed in index order; the first of equals wins.
template <typename TIndices>
std::uint8_t NearestAmong(const TPalette& palette, const TIndices& entries, int r, int g, int b) {
    int best = INT32_MAX;
    std::uint8_t bestIndex = 0;
    for (const auto index : entries) {
        const TRgb& c = palette[index];
        const int d = Square(c.R - r) + Square(c.G - g) + Square(c.B - b);
        if (d < best) {
            best = d;
            bestIndex = static_cast<std::uint8_t>(index);
        }
    }
    return bestIndex;
}

// Every index of a palette, as a range NearestAmong walks without a list made for it.
struct TEveryIndex {
    std::size_t Count;
    struct TIterator {
        std::size_t Index;
        std::size_t operator*() const { return Index; }
        TIterator& operator++() {
            ++Index;
            return *this;
        }
        bool operator!=(const TIterator& other) const { return Index != other.Index; }
    };
    TIterator begin() const { return {0}; }
    TIterator end() const { return {Count}; }
};

constexpr int kCellBits = 6; // cells of 4 colours on each channel
constexpr int kCellSize = 256 >> kCellBits;
constexpr int kCoarseSize = 16; // first pass over cubes of 16 colours
constexpr int kCellsPerCoarse = kCoarseSize / kCellSize;

// The 6-bit channel value whose bits stand at every third bit of a cell number.
int Compact(std::uint32_t bits) {
    int value = 0;
    for (int bit = 0; bit < kCellBits; ++bit) {
        value |= static_cast<int>((bits >> (3 * bit)) & 1u) << bit;
    }
    return value;
}

} // namespace

std::uint8_t NearestColourExhaustive(const TPalette& palette, std::uint8_t r, std::uint8_t g,
                                     std::uint8_t b) {
    return NearestAmong(palette, TEveryIndex{palette.size()}, r, g, b);
}

TColourMatcher::TColourMatcher(const TPalette& palette) : FPalette(palette) {
    std::vector<std::uint32_t> cells(std::size_t{1} << (3 * kCellBits));
    assert(!palette.empty() && palette.size() <= 256);
    std::vector<std::uint8_t> all(palette.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        all[i] = static_cast<std::uint8_t>(i);
        FAnswers.insert(FAnswers.end(), 64, static_cast<std::uint8_t>(i));
    }
    // First the candidates of the coarse cubes, then of each cell among its cube's.
    constexpr int kCoarsePerChannel = 256 / kCoarseSize;
    std::vector<std::vector<std::uint8_t>> coarse(kCoarsePerChannel * kCoarsePerChannel *
                                                  kCoarsePerChannel);
    for (int cr = 0; cr < kCoarsePerChannel; ++cr) {
        for (int cg = 0; cg < kCoarsePerChannel; ++cg) {
            for (int cb = 0; cb < kCoarsePerChannel; ++cb) {
                Candidates(palette, all,
                           {cr * kCoarseSize, cg * kCoarseSize, cb * kCoarseSize, kCoarseSize},
                           coarse[(cr * kCoarsePerChannel + cg) * kCoarsePerChannel + cb]);
            }
        }
    }
    std::vector<std::uint8_t> fine;
    for (std::uint32_t cell = 0; cell < cells.size(); ++cell) {
        const int r = Compact(cell >> 2), g = Compact(cell >> 1), b = Compact(cell);
        const auto& parent =
            coarse[((r / kCellsPerCoarse) * kCoarsePerChannel + g / kCellsPerCoarse) *
                       kCoarsePerChannel +
                   b / kCellsPerCoarse];
        if (parent.size() == 1) {
            fine = parent;
        } else {
            Candidates(palette, parent, {r * kCellSize, g * kCellSize, b * kCellSize, kCellSize},
                       fine);
        }
        if (fine.size() == 1) {
            cells[cell] = fine.front();
            continue;
        }
        std::uint8_t answers[64];
        for (int k = 0; k < 64; ++k) {
            answers[k] = NearestAmong(palette, fine, r * kCellSize + (k >> 4),
                                      g * kCellSize + ((k >> 2) & 3), b * kCellSize + (k & 3));
        }
        // Candidates are a bound: a cell whose colours all found the same entry has one answer.
        if (std::all_of(answers, answers + 64, [&](std::uint8_t a) { return a == answers[0]; })) {
            cells[cell] = answers[0];
            continue;
        }
        cells[cell] = static_cast<std::uint32_t>(FAnswers.size() / 64);
        FAnswers.insert(FAnswers.end(), answers, answers + 64);
    }
    if (FAnswers.size() / 64 <= 0x10000) {
        FCells16.assign(cells.begin(), cells.end());
    } else {
        FCells32 = std::move(cells);
    }
}

namespace {

// Screens are mostly runs of one colour, so a pixel like the one before takes its answer.
// The tables are passed as plain pointers: stores through the byte pointer `out` could
// alias members, which would make the compiler reload them for every pixel.
template <typename Cell>
void MatchRow(const Cell* cells, const std::uint8_t* answers, const std::uint8_t* bgrx,
              std::int32_t count, std::uint8_t* out) {
    std::uint32_t previous = 0xFFFFFFFFu; // no 24-bit colour
    std::uint8_t answer = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::uint8_t* px = bgrx + 4 * static_cast<std::size_t>(i);
        const std::uint32_t colour = Load32(px) & 0x00FFFFFFu;
        if (colour != previous) {
            previous = colour;
            answer = TColourMatcher::AnswerOf(TColourMatcher::KeyOf(px[2], px[1], px[0]), cells,
                                              answers);
        }
        out[i] = answer;
    }
}

} // namespace

void TColourMatcher::NearestRow(const std::uint8_t* bgrx, std::int32_t count,
                                std::uint8_t* out) const {
    if (FCells16.empty()) {
        MatchRow(FCells32.data(), FAnswers.data(), bgrx, count, out);
    } else {
        MatchRow(FCells16.data(), FAnswers.data(), bgrx, count, out);
    }
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
