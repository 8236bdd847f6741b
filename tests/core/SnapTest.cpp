#include "core/Snap.h"

#include <gtest/gtest.h>

namespace huebird {
namespace {

struct SnapCase {
    Rect workArea;
    int x, y;
    Point expected;
};

TEST(SnapTest, SnapsWithinTenPixelsOfEveryEdge) {
    const Rect screen{0, 0, 1024, 768};
    const Rect leftPanel{40, 0, 1024, 768};
    const Rect bottomPanel{0, 0, 1024, 740};
    const int w = 150, h = 130;
    const SnapCase cases[] = {
        {screen, -10, 300, {0, 300}},
        {screen, 10, 300, {0, 300}},
        {screen, 11, 300, {11, 300}},
        {leftPanel, -50, 300, {40, 300}},
        {leftPanel, 50, 300, {40, 300}},
        {leftPanel, 51, 300, {51, 300}},
        {screen, 1024 - w - 10, 300, {1024 - w, 300}},  // right side 10 inside the edge
        {screen, 1024 - w + 10, 300, {1024 - w, 300}},  // and 10 beyond it
        {screen, 1024 - w - 11, 300, {1024 - w - 11, 300}},
        {screen, 500, -10, {500, 0}},
        {screen, 500, 10, {500, 0}},
        {screen, 500, 768 - h - 10, {500, 768 - h}},
        {screen, 500, 768 - h + 10, {500, 768 - h}},
        {bottomPanel, 500, 740 - h + 5, {500, 740 - h}},
        {screen, 5, 5, {0, 0}},
        {screen, 300, 300, {300, 300}},
    };
    for (const SnapCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "x=" << c.x << " y=" << c.y);
        EXPECT_EQ(SnapToWorkArea(c.x, c.y, w, h, c.workArea), c.expected);
    }
}

}  // namespace
}  // namespace huebird
