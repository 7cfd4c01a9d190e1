#include "app/scroll/PageStitcher.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using TColour = std::function<std::uint32_t(int x, int y)>;

// A window of `height` rows showing, under a fixed header and above a fixed footer, the page's
// rows from `offset`; 8 pixels wide. `strips`: the fixed rows are of one colour (a border).
std::vector<std::uint32_t> Frame(const TColour& page, int header, int footer, int height,
                                 int offset, bool strips = false) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < 8; ++x) {
            pixels.push_back(strips && (y < header || y >= height - footer) ? 0xC0C0C0u
                             : y < header ? 0x400000u | std::uint32_t(y * 8 + x)
                             : y >= height - footer
                                 ? 0x800000u | std::uint32_t((y - height + footer) * 8 + x)
                                 : page(x, offset + y - header));
        }
    }
    return pixels;
}

TPixels32View View(const std::vector<std::uint32_t>& pixels) {
    return {reinterpret_cast<const std::uint8_t*>(pixels.data()), 8,
            static_cast<std::int32_t>(pixels.size() / 8), 32};
}

std::uint32_t Distinct(int x, int y) {
    return std::uint32_t(y) * 2654435761u ^ std::uint32_t(x);
}

TEST(PageStitcher, EveryRowOnceInOrderTheFixedPartsOnceAndNothingThatMayBeWrong) {
    const TColour plain = Distinct;
    // Blank bands of 30 rows (shorter than the moving part) every 100 rows.
    const TColour blanks = [](int x, int y) { return y % 100 >= 70 ? 0xFFFFFFu : Distinct(x, y); };
    // From row 200, a pattern of 8 rows repeated.
    const TColour repeated = [](int x, int y) { return Distinct(x, y < 200 ? y : 200 + y % 8); };
    // White margins: above the first 20 rows and between rows 30 and 60.
    const TColour margins = [](int x, int y) {
        return y < 20 || (y >= 30 && y < 60) ? 0xFFFFFFu : Distinct(x, y);
    };
    struct Row {
        const char* what;
        const TColour& page;
        int header, footer, height;
        std::vector<int> shifts; // each step's; then the same picture again, the page's end
        TPageStitcher::TStep last;
        int moved;           // the steps whose rows are kept
        bool strips = false; // the fixed rows are of one colour: no header or footer is taken
    } rows[] = {
        {"a pixel at a time", plain, 0, 0, 40, {1, 1, 1, 1, 1}, TPageStitcher::TStep::Still, 5},
        {"two thirds of the moving part",
         plain,
         0,
         0,
         40,
         {26, 26, 26},
         TPageStitcher::TStep::Still,
         3},
        {"a row past two thirds: too little overlap to be sure",
         plain,
         0,
         0,
         40,
         {26, 27},
         TPageStitcher::TStep::NoMatch,
         1},
        {"a whole screen: no row to match",
         plain,
         0,
         0,
         40,
         {40},
         TPageStitcher::TStep::NoMatch,
         0},
        {"blank margins that did not move are no header or footer",
         margins,
         0,
         0,
         40,
         {5, 5, 10, 6, 12, 12, 12},
         TPageStitcher::TStep::Still,
         7},
        {"strips of one colour that stay: kept, the page followed between them",
         plain,
         3,
         2,
         40,
         {10, 10, 10, 10},
         TPageStitcher::TStep::Still,
         4,
         true},
        {"a fixed header and footer, once each",
         plain,
         12,
         7,
         60,
         {13, 13, 13, 13, 13, 13, 10},
         TPageStitcher::TStep::Still,
         7},
        {"blank bands, the shift decided by the rows that are not",
         blanks,
         5,
         5,
         90,
         {25, 25, 25, 25, 25, 25, 25, 25, 25, 25, 25, 25, 10},
         TPageStitcher::TStep::Still,
         13},
        // Within the pattern each shift of 12 is one of several that match: the step before
        // tells which; the last, 10, is not that one, and nothing decides it.
        {"a repeated pattern: the previous step's shift",
         repeated,
         0,
         0,
         50,
         {12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 10},
         TPageStitcher::TStep::NoMatch,
         20},
        {"a page that does not move", plain, 3, 3, 40, {}, TPageStitcher::TStep::Still, 0},
    };
    for (const Row& row : rows) {
        int offset = 0;
        std::vector<std::uint32_t> frame =
            Frame(row.page, row.header, row.footer, row.height, 0, row.strips);
        TPageStitcher stitcher(View(frame));
        TPageStitcher::TStep step = TPageStitcher::TStep::Moved;
        for (std::size_t i = 0; i <= row.shifts.size() && step == TPageStitcher::TStep::Moved;
             ++i) {
            // After the last shift, the same picture again: the page has ended.
            offset += i < row.shifts.size() ? row.shifts[i] : 0;
            frame = Frame(row.page, row.header, row.footer, row.height, offset, row.strips);
            step = stitcher.Add(View(frame));
        }
        EXPECT_EQ(step, row.last) << row.what;
        if (row.moved > 0) {
            EXPECT_EQ(stitcher.Header(), row.strips ? 0 : row.header) << row.what;
            EXPECT_EQ(stitcher.Footer(), row.strips ? 0 : row.footer) << row.what;
        }
        const TRowBlocks page = stitcher.TakePage(100000);
        // The header, the page's rows the window showed up to the last step kept, the footer:
        // nothing else, nothing twice.
        int reached = 0;
        for (int i = 0; i < row.moved; ++i) {
            reached += row.shifts[i];
        }
        const std::vector<std::uint32_t> whole =
            Frame(row.page, row.header, row.footer, reached + row.height, 0, row.strips);
        ASSERT_EQ(page.Height(), std::int32_t(whole.size() / 8)) << row.what;
        for (std::int32_t y = 0; y < page.Height(); ++y) {
            ASSERT_EQ(std::memcmp(page.Row(y), &whole[std::size_t(y) * 8], 32), 0)
                << row.what << ", row " << y;
        }
    }
}

// A turn that went too far: refused, the picture before it known again once taken back, and
// half the turn followed.
TEST(PageStitcher, ATurnTooFarIsRefusedAndThePictureBeforeItKnownAgain) {
    const TColour page = Distinct;
    const auto frame = [&](int offset) { return Frame(page, 4, 4, 64, offset); };
    const std::vector<std::uint32_t> first = frame(0), second = frame(20), tooFar = frame(60),
                                     half = frame(40);
    TPageStitcher stitcher(View(first));
    ASSERT_EQ(stitcher.Add(View(second)), TPageStitcher::TStep::Moved);
    EXPECT_EQ(stitcher.LastShift(), 20);
    EXPECT_EQ(stitcher.Add(View(tooFar)), TPageStitcher::TStep::NoMatch);
    EXPECT_FALSE(stitcher.ShowsLast(View(tooFar)));
    EXPECT_FALSE(stitcher.ShowsLast(View(first)));
    EXPECT_TRUE(stitcher.ShowsLast(View(second)));
    ASSERT_EQ(stitcher.Add(View(half)), TPageStitcher::TStep::Moved);
    EXPECT_EQ(stitcher.Height(), 64 + 40);
}

} // namespace
