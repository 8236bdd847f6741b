#include "core/ControlNames.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/SkinDescription.h"

namespace huebird {
namespace {

TEST(ControlNamesTest, EveryButtonHasItsOwnNameAndOnlyTheElevenHaveOne) {
    std::set<std::string> names;
    for (int b = 0; b < kButtonCount; ++b) {
        const std::string name = ButtonName(b);
        EXPECT_FALSE(name.empty()) << b;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), static_cast<size_t>(kButtonCount));  // no two buttons sound alike
    for (int b : {-1, kButtonCount, 1000}) EXPECT_STREQ(ButtonName(b), "") << b;
    // The buttons that step a component say which and which way, in kButtonSections order.
    EXPECT_STREQ(ButtonName(3), "红色减 5");
    EXPECT_STREQ(ButtonName(8), "蓝色加 5");
    EXPECT_STREQ(ButtonName(10), "红绿蓝都加 5");
}

TEST(ControlNamesTest, ReadoutNamesCarryTheirValueAndSwatchesTheirColour) {
    std::set<std::string> names;
    for (int i = 0; i < kLabelCount; ++i) {
        const std::string name = ReadoutName(i);
        EXPECT_NE(name.find("%1"), std::string::npos) << i;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), static_cast<size_t>(kLabelCount));
    EXPECT_STREQ(ReadoutName(kLabelCount), "");
    EXPECT_STREQ(ReadoutName(-1), "");

    EXPECT_EQ(SwatchColourText(MakeColor(0xE9, 0x45, 0x60)), "#E94560");
    EXPECT_EQ(SwatchColourText(MakeColor(0, 0, 0)), "#000000");
    EXPECT_EQ(SwatchColourText(MakeColor(255, 255, 255)), "#FFFFFF");
}

}  // namespace
}  // namespace huebird
