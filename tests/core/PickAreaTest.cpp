#include "core/PickArea.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Magnifier.h"

namespace huebird {
namespace {

// A 14 x 14 area, as a pick reads it around the pointer (its pixel at 7, 7), filled with
// `fill` and then the given pixels, relative to the pointer.
struct Pixel {
    int dx, dy;
    std::uint32_t rgb;
};
std::vector<std::uint32_t> AreaOf(std::uint32_t fill, std::initializer_list<Pixel> pixels) {
    std::vector<std::uint32_t> area(kSampleSize * kSampleSize, fill);
    for (const Pixel& p : pixels) area[(7 + p.dy) * kSampleSize + 7 + p.dx] = p.rgb;
    return area;
}

bool Everywhere(int, int) { return true; }

TEST(PickAreaTest, StoredValuesOtherThanTheThreeSidesMeanOne) {
    const struct {
        int stored, side;
    } cases[] = {{1, 1}, {3, 3}, {5, 5}, {0, 1}, {2, 1}, {4, 1}, {6, 1}, {7, 1}, {-3, 1}, {25, 1}};
    for (const auto& c : cases) EXPECT_EQ(PickAreaFromSetting(c.stored), c.side) << c.stored;
}

// Known blocks and their exact means: each channel on its own, rounded to nearest with halves
// up, over the side x side block centred on the pointer and nothing beyond it.
TEST(PickAreaTest, TheMeanOfKnownBlocks) {
    const struct Case {
        const char* what;
        std::vector<std::uint32_t> area;
        int side;
        std::uint32_t expected;
    } cases[] = {
        {"1 x 1 is the pointer's pixel alone", AreaOf(0xFFFFFF, {{0, 0, 0x123456}}), 1, 0x123456},
        {"a uniform block is its colour", AreaOf(0x4A7F2C, {}), 3, 0x4A7F2C},
        {"every channel at 255 stays 255", AreaOf(0xFFFFFF, {}), 5, 0xFFFFFF},
        // A one-pixel checkerboard, white at the centre: 5 x 255 / 9 = 141.67.
        {"a dithered block", AreaOf(0xFFFFFF, {{-1, -1, 0}, {1, -1, 0}, {-1, 1, 0}, {1, 1, 0}}), 3,
         0x8E8E8E},
        // The centre alone differs: 8 x 0x20 + 0xF0 = 496, / 9 = 55.1 (and so on per channel).
        {"a lone bright pixel in a dark block", AreaOf(0x204060, {{0, 0, 0xF0F0F0}}), 3, 0x375470},
        // Red 5 / 9 = 0.56 rounds up, green 4 / 9 = 0.44 down, blue 1 / 9 = 0.11 down.
        {"thirds and ninths round to nearest",
         AreaOf(0, {{-1, -1, 0x010100},
                    {0, -1, 0x010100},
                    {1, -1, 0x010100},
                    {-1, 0, 0x010100},
                    {0, 0, 0x010001}}),
         3, 0x010000},
        // The corners of the 5 x 5 block count, a pixel just beyond it does not: 255 / 25 =
        // 10.2; the 3 x 3 block holds none of them.
        {"5 x 5 takes its corner", AreaOf(0, {{2, 2, 0xFF0000}, {3, 0, 0x00FF00}}), 5, 0x0A0000},
        {"3 x 3 leaves the 5 x 5 corner out", AreaOf(0, {{2, 2, 0xFF0000}, {-2, 0, 0xFF}}), 3, 0},
        // 24 x 255 / 25 = 244.8.
        {"5 x 5 around a black centre", AreaOf(0xFFFFFF, {{0, 0, 0}}), 5, 0xF5F5F5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<std::uint32_t> got =
            AverageBlock(c.area.data(), kSampleSize, kSampleSize, {7, 7}, c.side, Everywhere);
        ASSERT_TRUE(got);
        EXPECT_EQ(*got, c.expected) << std::hex << *got;
    }
}

// At a screen's edge the block is clipped to the pixels on a monitor. Those off it read black
// (as the screen gives them) and must not darken the mean; with an even number left a mean
// of exactly one half rounds up.
TEST(PickAreaTest, AnAreaClippedByAnEdgeAveragesOnlyWhatIsOnAMonitor) {
    // The pointer on the desktop's left edge: the area's columns 0..6 lie beyond it.
    auto leftEdge = [](int x, int) { return x >= 7; };
    // The pointer in a corner: columns < 7 and rows < 7 are beyond it.
    auto topLeftCorner = [](int x, int y) { return x >= 7 && y >= 7; };
    // Two monitors with a one-column gap between them, just left of the pointer.
    auto gap = [](int x, int) { return x != 6; };
    const struct Case {
        const char* what;
        std::vector<std::uint32_t> area;
        std::function<bool(int, int)> onMonitor;
        int side;
        std::uint32_t expected;
    } cases[] = {
        {"a uniform grey at the edge stays that grey", AreaOf(0x808080, {}), leftEdge, 3, 0x808080},
        // On the monitor: columns 7 and 8 of rows 6..8, red 1 in three of them: 3 / 6 = 0.5.
        {"three of six: one half rounds up",
         AreaOf(0, {{0, -1, 0x010000}, {0, 0, 0x010000}, {0, 1, 0x010000}, {-1, 0, 0xFFFFFF}}),
         leftEdge, 3, 0x010000},
        // Four pixels on the monitor, 255 + 255 + 0 + 0: 127.5 gives 128; green 1 / 4 = 0.25
        // gives 0; blue 3 / 4 = 0.75 gives 1.
        {"a corner: 127.5 gives 128",
         AreaOf(0xFFFFFF, {{0, 0, 0xFF0001}, {1, 0, 0xFF0100}, {0, 1, 0x000001}, {1, 1, 0x000001}}),
         topLeftCorner, 3, 0x800001},
        {"5 x 5 in a corner: nine pixels", AreaOf(0, {{2, 2, 0x090909}}), topLeftCorner, 5,
         0x010101},
        {"a gap between monitors is left out", AreaOf(0x646464, {{-1, 0, 0}}), gap, 3, 0x646464},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<std::uint32_t> got =
            AverageBlock(c.area.data(), kSampleSize, kSampleSize, {7, 7}, c.side, c.onMonitor);
        ASSERT_TRUE(got);
        EXPECT_EQ(*got, c.expected) << std::hex << *got;
    }
}

// A pointer whose own pixel is on no monitor takes nothing, whatever its neighbours show, and
// a block that reaches past the area read is clipped to it.
TEST(PickAreaTest, APointerOffEveryMonitorTakesNothing) {
    const std::vector<std::uint32_t> area = AreaOf(0xABCDEF, {});
    auto allButCentre = [](int x, int y) { return !(x == 7 && y == 7); };
    for (int side : kPickAreaSizes) {
        EXPECT_FALSE(
            AverageBlock(area.data(), kSampleSize, kSampleSize, {7, 7}, side, allButCentre))
            << side;
    }
    const std::vector<std::uint32_t> small = {0x000000, 0x0000FF, 0x0000FF, 0x0000FF};
    EXPECT_EQ(AverageBlock(small.data(), 2, 2, {0, 0}, 5, Everywhere), 0x0000BFu);  // 191.25
    EXPECT_FALSE(AverageBlock(small.data(), 2, 2, {2, 0}, 3, Everywhere));
}

// The magnifier outlines the cells that show the averaged block: exactly the cells whose
// enlarged pixels come from it (the crosshair's line aside).
TEST(PickAreaTest, TheMagnifiedBlockIsTheCellsShowingTheAveragedPixels) {
    const struct {
        int side;
        CellSpan span;
    } cases[] = {{1, {7, 8}}, {3, {6, 9}}, {5, {5, 10}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.side);
        EXPECT_EQ(MagnifiedBlock(c.side), c.span);
        const int h = c.side / 2;
        std::vector<std::uint32_t> area(kSampleSize * kSampleSize, 0);
        for (int y = 7 - h; y <= 7 + h; ++y) {
            for (int x = 7 - h; x <= 7 + h; ++x) area[y * kSampleSize + x] = 0xFFFFFF;
        }
        const auto magnified = MagnifyArea(area.data());
        for (int y = 0; y < kMagnifiedSize; ++y) {
            for (int x = 0; x < kMagnifiedSize; ++x) {
                if (IsCrossPixel(x, y)) continue;
                const bool inside =
                    x >= c.span.first && x <= c.span.last && y >= c.span.first && y <= c.span.last;
                EXPECT_EQ(magnified[y * kMagnifiedSize + x] == 0xFFFFFF, inside) << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace huebird
