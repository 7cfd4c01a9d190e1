#include "platform/OverlayAids.h"
#include "platform/Platform.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// A 20 x 20 snapshot at (100, 50) whose pixel (x, y) is x << 8 | y in screen positions.
class TTestPixels : public TScreenPixels {
public:
    TTestPixels() {
        Left = 100, Top = 50;
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) {
                Pixels[y * 20 + x] = std::uint32_t(x + 100) << 8 | std::uint32_t(y + 50);
            }
        }
    }
    TPixels32View View() const override {
        return {reinterpret_cast<const std::uint8_t*>(Pixels), 20, 20, 80};
    }
    std::uint32_t Pixels[400];
};

TEST(OverlayAids, TheMagnifierShowsTheSnapshotZoomedWithItsCentreFramed) {
    const TTestPixels snapshot;
    TOverlayAids aids;
    aids.Zoom = 4, aids.Cells = 5;
    aids.Magnifier = {0, 0, 22, 22};
    aids.MagnifiedAt = {101, 51}; // cells from (99, 49): a row and a column off the snapshot
    std::uint32_t out[22 * 22];
    PaintAids(snapshot, nullptr, aids, {0, 0, 22, 22}, reinterpret_cast<std::uint8_t*>(out),
              22 * 4);
    const auto at = [&](int x, int y) { return out[y * 22 + x] & 0xFFFFFF; };
    EXPECT_EQ(at(0, 0), kAidBorderColour);
    EXPECT_EQ(at(21, 10), kAidBorderColour);
    EXPECT_EQ(at(2, 2), 0xFFFFFFu);                         // off the snapshot: white
    EXPECT_EQ(at(1 + 4 + 1, 1 + 4 + 1), 100u << 8 | 50u);   // cell (1, 1): pixel (100, 50)
    EXPECT_EQ(at(1 + 16 + 3, 1 + 12 + 3), 103u << 8 | 52u); // cell (4, 3): pixel (103, 52)
    EXPECT_EQ(at(1 + 8 + 1, 1 + 8 + 1), 101u << 8 | 51u);   // the centre cell within its frame
    EXPECT_EQ(at(1 + 8 - 1, 1 + 8 + 2), 0xFFFFFFu);         // framed light over the dark
}

TEST(OverlayAids, OnlyWhatChangedIsPaintedAgain) {
    TOverlayAids before;
    before.Outline = {0, 0, 3840, 2160};
    before.Magnifier = {100, 100, 222, 222};
    before.Readout = {100, 222, 222, 242};
    before.ReadoutText = "80, 80";
    TOverlayAids after = before;
    after.Magnifier = {101, 100, 223, 222};
    after.Readout = {101, 222, 223, 242};
    after.ReadoutText = "81, 80";
    // The moved boxes as one part, the unchanged outline not at all.
    EXPECT_EQ(ChangedAreas(before, after), (std::vector<TCaptureRegion>{{100, 100, 223, 242}}));
    EXPECT_TRUE(ChangedAreas(after, after).empty());
    // A new outline: its old and new edges, each a strip, never the window's whole area.
    after.Outline = {10, 10, 500, 400};
    std::int64_t painted = 0;
    for (const TCaptureRegion& r : ChangedAreas(before, after)) {
        painted += std::int64_t{r.Right - r.Left} * (r.Bottom - r.Top);
    }
    EXPECT_LT(painted, 2 * kOutlineWidth * (3840 + 2160 + 490 + 390) + 123 * 142);
}

TEST(OverlayAids, MarksShowOverTheSnapshotAndButtonsOverThem) {
    const TTestPixels snapshot;
    struct TMarks : TScreenPixels {
        TPixels32View View() const override {
            return {reinterpret_cast<const std::uint8_t*>(Pixels), 2, 2, 8};
        }
        std::uint32_t Pixels[4] = {1, 2, 3, 4};
    } marks;
    marks.Left = 104, marks.Top = 52;
    TOverlayAids aids;
    aids.Buttons = {{{106, 50, 111, 55}, "", 0x00FF00, true}, {{111, 50, 114, 53}, "x", 0x0000FF}};
    EXPECT_EQ(AidTexts(aids).size(), 1u);
    std::uint32_t out[14 * 6];
    PaintAids(snapshot, &marks, aids, {100, 50, 114, 56}, reinterpret_cast<std::uint8_t*>(out),
              14 * 4);
    const auto at = [&](int x, int y) { return out[(y - 50) * 14 + (x - 100)] & 0xFFFFFF; };
    EXPECT_EQ(at(103, 52), 103u << 8 | 52u); // the snapshot beside the marks
    EXPECT_EQ(at(104, 52), 1u);
    EXPECT_EQ(at(105, 53), 4u);
    EXPECT_EQ(at(107, 51), 0xFFFFFFu); // a chosen button's border is white, two pixels wide
    EXPECT_EQ(at(108, 52), 0x00FF00u);
    EXPECT_EQ(at(111, 50), kAidBorderColour);
    EXPECT_EQ(at(112, 51), 0x0000FFu);
    EXPECT_EQ(at(110, 55), 110u << 8 | 55u);
}

} // namespace
