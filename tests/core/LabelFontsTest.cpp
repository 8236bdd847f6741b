#include "core/LabelFonts.h"

#include <gtest/gtest.h>

namespace huebird {
namespace {

TEST(LabelFontsTest, SitsRightOfTheWindowUnlessTheScreenHasNoRoom) {
    struct Case {
        int screen, mainLeft, mainWidth, skinWidth;
        int expected;
    };
    // Dialog 271 wide, skin 158: room on the right while screen >= left + 158 + 271 + 20.
    const Case cases[] = {
        {1024, 100, 158, 158, 100 + 158 + 20},
        {1024, 575, 158, 158, 575 + 158 + 20},  // 1024 == 575 + 449: still room
        {1024, 576, 158, 158, 576 - 271 - 20},  // one pixel more: left of the window
        {1024, 100, 32, 158, 100 + 32 + 20},    // rolled up: beside the narrow window
        {1024, 580, 32, 158, 580 - 271 - 20},   // the skin's width decides, not the rolled width
        {200, 0, 158, 158, 0 - 271 - 20},       // no room anywhere: left, off the screen
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mainLeft);
        EXPECT_EQ(FontDialogLeft(c.screen, c.mainLeft, c.mainWidth, c.skinWidth, 271), c.expected);
    }
}

TEST(LabelFontsTest, OkWritesSixUpperCaseColoursThenTheWeight) {
    const std::array<ColorValue, kLabelCount> colors = {
        MakeColor(255, 0, 0),        MakeColor(0xff, 0x80, 0x00), MakeColor(0, 0, 0),
        MakeColor(0xab, 0xcd, 0xef), MakeColor(1, 2, 3),          MakeColor(255, 255, 255)};
    for (const bool bold : {true, false}) {
        SCOPED_TRACE(bold);
        const std::vector<std::pair<std::string, std::string>> expected = {
            {"RedColor", "FF0000"},          {"GreenColor", "FF8000"}, {"BlueColor", "000000"},
            {"RgbColor1", "ABCDEF"},         {"RgbColor2", "010203"},  {"RgbColor3", "FFFFFF"},
            {"FontIsBold", bold ? "1" : "0"}};
        EXPECT_EQ(FontColorEntries(colors, bold), expected);
    }
}

}  // namespace
}  // namespace huebird
