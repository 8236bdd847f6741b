#include "core/AutoSize.h"

#include <gtest/gtest.h>

#include <climits>

#include "core/Drag.h"
#include "core/WindowLimits.h"

namespace huebird {
namespace {

AutoSizeInput Input(Rect window, Point pointer, Size flex = {40, 20}, bool picking = false) {
    return {window, pointer, {150, 130}, flex, picking};
}

TEST(AutoSizeTest, RollsUpHeightThenWidthAndUnrollsToFullSize) {
    AutoSizePlan up = PlanAutoSizeTick(Input({100, 100, 250, 230}, {600, 600}));
    ASSERT_EQ(up.steps.size(), (130u - 21u) + (150u - 41u));
    EXPECT_EQ(up.steps.front(), (Size{150, 129}));
    EXPECT_EQ(up.steps[130 - 21 - 1], (Size{150, 21}));
    EXPECT_EQ(up.steps.back(), (Size{41, 21}));
    EXPECT_EQ(up.interval, kRolledInterval);

    AutoSizePlan down = PlanAutoSizeTick(Input({100, 100, 141, 121}, {141, 121}));
    EXPECT_EQ(down.steps.front(), (Size{41, 22}));
    EXPECT_EQ(down.steps.back(), (Size{150, 130}));
    EXPECT_EQ(down.interval, kUnrolledInterval);
}

TEST(AutoSizeTest, PointerTestIncludesBothEnds) {
    const Rect w{100, 100, 141, 121};
    EXPECT_TRUE(PointerOverWindow(w, {141, 121}));  // one past the right and bottom edges
    EXPECT_TRUE(PointerOverWindow(w, {100, 100}));
    EXPECT_FALSE(PointerOverWindow(w, {142, 110}));
    EXPECT_FALSE(PointerOverWindow(w, {99, 110}));
    EXPECT_FALSE(PointerOverWindow(w, {110, 122}));
}

TEST(AutoSizeTest, TicksThatChangeNothingLeaveTheInterval) {
    struct Case {
        const char* name;
        AutoSizeInput in;
    };
    const Case cases[] = {
        {"rolled up, pointer still away", Input({0, 0, 41, 21}, {500, 500})},
        {"full size, pointer over it", Input({0, 0, 150, 130}, {10, 10})},
        {"no rolled-up size", Input({0, 0, 150, 130}, {500, 500}, {0, 0})},
        {"picking, pointer away", Input({0, 0, 150, 130}, {500, 500}, {40, 20}, true)},
        {"picking, pointer back", Input({0, 0, 41, 21}, {10, 10}, {40, 20}, true)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const AutoSizePlan plan = PlanAutoSizeTick(c.in);
        EXPECT_TRUE(plan.steps.empty());
        EXPECT_FALSE(plan.interval);
    }
}

TEST(AutoSizeTest, AZeroHeightRollsUpToOnePixel) {
    const AutoSizePlan plan = PlanAutoSizeTick(Input({0, 0, 150, 130}, {500, 500}, {40, 0}));
    EXPECT_EQ(plan.steps.back(), (Size{41, 1}));
}

// Whatever the skin's numbers, a tick plans at most one step per pixel of the window's own
// size, and never a size outside 1..full.
TEST(AutoSizeTest, ExtremeRolledUpSizesStayWithinTheWindow) {
    struct Case {
        const char* name;
        Size flex;
        Size rolled;  // the size the window ends at
    };
    const Case cases[] = {
        {"INT_MIN both", {INT_MIN, INT_MIN}, {1, 1}},
        {"INT_MAX both", {INT_MAX, INT_MAX}, {150, 130}},
        {"INT_MAX width, INT_MIN height", {INT_MAX, INT_MIN}, {150, 1}},
        {"negative height", {157, -20000}, {150, 1}},
        {"larger than the background", {20000, 20000}, {150, 130}},
        {"one less than the background: no roll", {149, 129}, {150, 130}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const AutoSizePlan plan = PlanAutoSizeTick(Input({0, 0, 150, 130}, {500, 500}, c.flex));
        ASSERT_LE(plan.steps.size(), 150u + 130u);
        EXPECT_EQ(plan.steps.size(), (150u - c.rolled.width) + (130u - c.rolled.height));
        for (const Size& s : plan.steps) {
            ASSERT_TRUE(s.width >= 1 && s.width <= 150 && s.height >= 1 && s.height <= 130);
        }
        if (!plan.steps.empty()) {
            EXPECT_EQ(plan.steps.back(), c.rolled);
        }
        // Rolled up, the window stays put: the next tick away from it has nothing to do.
        const Rect rolled{0, 0, c.rolled.width, c.rolled.height};
        EXPECT_TRUE(PlanAutoSizeTick(Input(rolled, {500, 500}, c.flex)).steps.empty());
        // And it unrolls to the background's size, one step per pixel it lacks.
        const AutoSizePlan back = PlanAutoSizeTick(Input(rolled, {0, 0}, c.flex));
        EXPECT_EQ(back.steps.size(), plan.steps.size());
    }
}

TEST(AutoSizeTest, UnrollingNeverGoesBeyondTheWindowLimits) {
    // A window is at least one pixel each way.
    EXPECT_EQ(UnrollSteps({INT_MIN, INT_MIN}, {3, 2}), (std::vector<Size>{{1, 2}, {2, 2}, {3, 2}}));
    EXPECT_EQ(UnrollSteps({3, 2}, {INT_MIN, INT_MIN}).size(), 0u);
    const std::vector<Size> steps = UnrollSteps({1, 1}, {INT_MAX, INT_MAX});
    ASSERT_EQ(steps.size(), 2u * (kMaxWindowExtent - 1));
    EXPECT_EQ(steps.back(), (Size{kMaxWindowExtent, kMaxWindowExtent}));
}

// The window applies each step through the work-area snapping; a window on the right edge
// keeps its right edge there and rolls up towards it.
TEST(AutoSizeTest, RightEdgeWindowRollsUpAlongTheEdge) {
    const Rect workArea{0, 0, 1024, 768};
    Rect w{1024 - 150, 300, 1024, 430};
    auto apply = [&](const AutoSizePlan& plan) {
        for (const Size& s : plan.steps) {
            const Point p = SnapToWorkArea(w.left, w.top, s.width, s.height, workArea);
            w = {p.x, p.y, p.x + s.width, p.y + s.height};
            ASSERT_EQ(w.right, 1024);
        }
    };
    apply(PlanAutoSizeTick(Input(w, {10, 10})));
    EXPECT_EQ(w, (Rect{1024 - 41, 300, 1024, 321}));
    apply(PlanAutoSizeTick(Input(w, {1000, 310})));
    EXPECT_EQ(w, (Rect{1024 - 150, 300, 1024, 430}));
}

TEST(DragTest, WindowFollowsThePointerMinusTheGrabOffset) {
    const Point origin{30, 12};
    EXPECT_EQ(DragPosition({530, 312}, origin), (Point{500, 300}));
    EXPECT_EQ(DragPosition({560, 322}, origin), (Point{530, 310}));  // moved by (30, 10)
}

}  // namespace
}  // namespace huebird
