#include "core/MenuLook.h"

#include <gtest/gtest.h>

namespace huebird {
namespace {

TEST(MenuLookTest, BannerSlicesStackLikeTheItems) {
    const int expectedTops[] = {0, 21, 42, 63, 73, 94, 115, 136, 146, 167, 188, 198, 219};
    for (int tag = 1; tag <= 13; ++tag) {
        SCOPED_TRACE(tag);
        EXPECT_EQ(BannerSlice(tag).top, expectedTops[tag - 1]);
        EXPECT_EQ(BannerSlice(tag).bottom - BannerSlice(tag).top, MenuItemHeight(tag));
    }
    EXPECT_EQ(BannerSlice(13).bottom, kBannerHeight);
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

}  // namespace
}  // namespace huebird
