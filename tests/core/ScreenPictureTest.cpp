#include "core/ScreenPicture.h"

#include <gtest/gtest.h>

#include <array>

namespace huebird {
namespace {

// Two outputs side by side with a gap between them, the second lower and scaled by two: each
// pixel's colour is its own place, so a wrong offset reads a wrong colour.
OutputPicture Output(Rect place, int scale) {
    OutputPicture o;
    o.place = place;
    o.width = place.width() * scale;
    o.height = place.height() * scale;
    for (int y = 0; y < o.height; ++y) {
        for (int x = 0; x < o.width; ++x) {
            o.rgb.push_back(static_cast<std::uint32_t>((place.left + x / scale) << 12 |
                                                       (place.top + y / scale)));
        }
    }
    return o;
}

ScreenPicture TwoOutputs() {
    return ScreenPicture({Output({0, 0, 40, 30}, 1), Output({50, 10, 70, 30}, 2)});
}

std::uint32_t At(int x, int y) { return static_cast<std::uint32_t>(x << 12 | y); }

TEST(ScreenPicture, ReadsEachOutputAtItsPlaceAndBlackElsewhere) {
    const ScreenPicture picture = TwoOutputs();
    EXPECT_EQ(picture.Bounds(), (Rect{0, 0, 70, 30}));
    struct Case {
        Point p;
        bool on;
    } cases[] = {{{0, 0}, true},   {{39, 29}, true}, {{40, 0}, false}, {{45, 15}, false},
                 {{50, 10}, true}, {{69, 29}, true}, {{50, 9}, false}, {{70, 10}, false},
                 {{-1, 0}, false}, {{0, -1}, false}, {{60, 30}, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.p.x << "," << c.p.y);
        EXPECT_EQ(picture.Contains(c.p), c.on);
        std::uint32_t v = 1;
        picture.ReadArea(c.p.x, c.p.y, 1, 1, &v);
        EXPECT_EQ(v, c.on ? At(c.p.x, c.p.y) : 0u);
    }
    // An area across the gap: the left part from the first output, the rest black.
    std::array<std::uint32_t, 3 * 2> area{};
    picture.ReadArea(38, 28, 3, 2, area.data());
    EXPECT_EQ(area,
              (std::array<std::uint32_t, 6>{At(38, 28), At(39, 28), 0, At(38, 29), At(39, 29), 0}));
}

TEST(ScreenPicture, LeavesOutOutputsWhosePixelsDoNotFillThem) {
    OutputPicture shortOne = Output({0, 0, 10, 10}, 1);
    shortOne.rgb.pop_back();
    OutputPicture empty = Output({20, 0, 20, 10}, 1);
    const ScreenPicture picture({shortOne, empty, Output({30, 0, 40, 10}, 1)});
    ASSERT_EQ(picture.Outputs().size(), 1u);
    EXPECT_FALSE(picture.Contains({5, 5}));
    EXPECT_TRUE(picture.Contains({35, 5}));
    EXPECT_TRUE(ScreenPicture(std::vector<OutputPicture>{}).Empty());
}

TEST(PickAim, StepsAwayFromThePointerUntilThePointerMoves) {
    const ScreenPicture picture = TwoOutputs();
    PickAim aim;
    EXPECT_EQ(aim.Follow({10, 10}), (Point{10, 10}));
    EXPECT_FALSE(aim.Stepped());
    aim.Step(1, 0, picture);
    aim.Step(0, -10, picture);
    EXPECT_EQ(aim.Follow({10, 10}), (Point{11, 0}));  // the same pointer keeps the steps
    EXPECT_TRUE(aim.Stepped());
    EXPECT_EQ(aim.Follow({12, 12}), (Point{12, 12}));  // a moved pointer takes the aim back
    EXPECT_FALSE(aim.Stepped());
}

TEST(PickAim, StopsAtTheEdgeOfTheOutputs) {
    const ScreenPicture picture = TwoOutputs();
    struct Case {
        Point from;
        int dx, dy;
        Point to;
    } cases[] = {
        {{35, 5}, 10, 0, {39, 5}},      // the right edge, not across the gap
        {{2, 2}, -10, -10, {0, 0}},     // the top-left corner
        {{55, 25}, 0, 10, {55, 29}},    // the bottom of the second output
        {{52, 12}, -10, 10, {50, 22}},  // each axis on its own
    };
    for (const Case& c : cases) {
        PickAim aim;
        aim.Follow(c.from);
        aim.Step(c.dx, c.dy, picture);
        EXPECT_EQ(aim.Aim(), c.to) << c.from.x << "," << c.from.y;
    }
}

}  // namespace
}  // namespace huebird
