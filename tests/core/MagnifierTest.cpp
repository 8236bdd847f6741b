#include "core/Magnifier.h"

#include <gtest/gtest.h>

#include <vector>

namespace huebird {
namespace {

TEST(MagnifierTest, MovesOutOfTheWayOnlyInTheBand) {
    struct Case {
        int x, y, expected;
    };
    const Case cases[] = {
        {513, 100, 200}, {0, 70, 500},  {1000, 160, 200},
        {1000, 69, 333}, {0, 161, 333}, {0, 0, 333},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(MagnifierLeft(c.x, c.y, 1024, 333), c.expected);
    }
}

// The magnifier (94 x 51 at top 80) never lies over the 14 x 14 area the pick reads: where
// the rule's place would cover it, the other place is taken.
TEST(MagnifierTest, NeverCoversTheSampledArea) {
    struct Case {
        int x, y, screenWidth, expected;
    };
    const Case cases[] = {
        {512, 100, 1024, 200},  // the rule says 500, which would cover x 505..518
        {500, 80, 1024, 200},  {494, 100, 1024, 200}, {493, 100, 1024, 500}, {512, 73, 1024, 500},
        {512, 74, 1024, 200},  {512, 137, 1024, 200}, {512, 138, 1024, 500}, {250, 100, 400, 500},
        {194, 100, 300, 500},  {193, 100, 300, 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " on " << c.screenWidth);
        const int left = MagnifierLeft(c.x, c.y, c.screenWidth, 333);
        EXPECT_EQ(left, c.expected);
        const bool apartX =
            c.x + kSampleSize / 2 <= left || left + kMagnifierWidth <= c.x - kSampleSize / 2;
        const bool apartY = c.y + kSampleSize / 2 <= kMagnifierTop ||
                            kMagnifierTop + kMagnifierHeight <= c.y - kSampleSize / 2;
        EXPECT_TRUE(apartX || apartY);
    }
}

TEST(MagnifierTest, ArrowsSteerAPickAndEscapeCancelsIt) {
    const struct {
        PickKey key;
        bool shift;
        bool handled, cancel;
        int dx, dy;
    } cases[] = {
        {PickKey::Left, false, true, false, -1, 0},  {PickKey::Right, false, true, false, 1, 0},
        {PickKey::Up, false, true, false, 0, -1},    {PickKey::Down, false, true, false, 0, 1},
        {PickKey::Left, true, true, false, -10, 0},  {PickKey::Down, true, true, false, 0, 10},
        {PickKey::Escape, false, true, true, 0, 0},  {PickKey::Escape, true, true, true, 0, 0},
        {PickKey::Other, false, false, false, 0, 0}, {PickKey::Other, true, false, false, 0, 0},
    };
    for (const auto& c : cases) {
        const PickStep s = PickStepFor(c.key, c.shift);
        EXPECT_EQ(s.handled, c.handled);
        EXPECT_EQ(s.cancel, c.cancel);
        EXPECT_EQ(s.dx, c.dx);
        EXPECT_EQ(s.dy, c.dy);
    }
}

TEST(MagnifierTest, CrossIsTwentyEightBlackPixelsAroundATrueCentre) {
    std::vector<std::uint32_t> area(kSampleSize * kSampleSize);
    for (int i = 0; i < kSampleSize * kSampleSize; ++i)
        area[i] = 0x010000u * (i % 14) + 0x100u * (i / 14) + 0x80;
    area[7 * kSampleSize + 7] = 0xABCDEF;  // the pointer's pixel
    const auto out = MagnifyArea(area.data());
    int black = 0;
    for (int y = 0; y < kMagnifiedSize; ++y) {
        for (int x = 0; x < kMagnifiedSize; ++x) {
            const std::uint32_t p = out[y * kMagnifiedSize + x];
            if (IsCrossPixel(x, y)) {
                EXPECT_EQ(p, 0u);
                ++black;
            } else if (x != 7 || y != 7) {
                EXPECT_NE(p, 0u);
            }
        }
    }
    EXPECT_EQ(black, 28);
    EXPECT_EQ(out[7 * kMagnifiedSize + 7], 0xABCDEFu);
    // The stretch keeps the corners and the order of the columns.
    EXPECT_EQ(out[0], area[0]);
    EXPECT_EQ(out[kMagnifiedSize * kMagnifiedSize - 1], area[kSampleSize * kSampleSize - 1]);
}

}  // namespace
}  // namespace huebird
