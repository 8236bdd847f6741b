#include "core/MenuLook.h"

#include <gtest/gtest.h>

namespace huebird {
namespace {

TEST(MenuLookTest, BannerSlicesStackLikeTheItems) {
    // Tags 1..15; "复制为" (14) sits below copy (5), "粘贴颜色代码" (15) below paste (6).
    const int expectedTops[] = {0, 21, 42, 63, 73, 115, 157, 178, 188, 209, 230, 240, 261, 94, 136};
    for (int tag = 1; tag <= kMenuTagCount; ++tag) {
        SCOPED_TRACE(tag);
        EXPECT_EQ(BannerSlice(tag).top, expectedTops[tag - 1]);
        EXPECT_EQ(BannerSlice(tag).bottom - BannerSlice(tag).top, MenuItemHeight(tag));
    }
    EXPECT_EQ(BannerSlice(13).bottom, kBannerHeight);
    EXPECT_EQ(kBannerHeight, 282);
    EXPECT_EQ(BannerSlice(16).bottom, 0);
}

TEST(MenuLookTest, TextsAndColours) {
    EXPECT_STREQ(MenuItemText(5), "拷贝  Ctrl+C/F4");
    EXPECT_STREQ(MenuItemText(7), "撤消  Ctrl+Z/F6");
    EXPECT_STREQ(MenuItemText(4), "");
    EXPECT_EQ(GradientBand(0), MakeColor(10, 0, 10));
    EXPECT_EQ(GradientBand(23), MakeColor(240, 0, 240));
    EXPECT_EQ(MenuTextColor(7, true, false), MakeColor(128, 128, 128));
    EXPECT_EQ(MenuTextColor(7, false, false), MakeColor(128, 128, 128));
    EXPECT_EQ(MenuTextColor(7, true, true), MakeColor(255, 255, 255));
    EXPECT_EQ(MenuTextColor(7, false, true), 0u);
    EXPECT_EQ(MenuTextColor(5, true, false), MakeColor(255, 255, 255));
}

TEST(MenuLookTest, ColumnsFitOrTheMenuScrolls) {
    struct Case {
        int items, width, height;
        bool fit;
    };
    const Case cases[] = {
        {0, 10, 10, true},          // nothing to show
        {38, 100, 798, true},       // one column of 38 rows of 21
        {152, 400, 798, true},      // four full columns, exactly as wide as the area
        {153, 400, 798, false},     // a fifth column begins
        {1500, 800, 800, false},    // forty columns of 100 on an 800-pixel screen
        {1500, 1920, 1080, false},  // thirty columns of 51 rows
        {950, 1920, 1080, true},    // nineteen columns of 51 rows
        {3, 100, 10, false},        // taller than the area: one item a column
        {1, 100, 10, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.items);
        EXPECT_EQ(MenuColumnsFit(c.items, 100, 21, c.width, c.height), c.fit);
    }
}

}  // namespace
}  // namespace huebird
