#include "core/Color.h"

#include <gtest/gtest.h>

namespace huebird {
namespace {

constexpr ColorValue kUntouched = 0xABCDEF;

struct ParseCase {
    const char* text;
    bool plainAccepts;
    bool hashAccepts;
    ColorValue expected;  // when accepted
};

TEST(ColorTextTest, ParsersAcceptAndRejectAsDesigned) {
    const ParseCase cases[] = {
        {"12AB9F", true, true, MakeColor(18, 171, 159)},
        {"12ab9f", true, true, MakeColor(18, 171, 159)},
        {"#12AB9f", false, true, MakeColor(18, 171, 159)},
        {"#FFF", false, false, 0},                 // four characters: the '#' stays and is no digit
        {"F", true, true, MakeColor(0xF0, 0, 0)},  // padded to F00000
        {"FF", true, true, MakeColor(255, 0, 0)},
        {"FF8", true, true, MakeColor(255, 128, 0)},
        {"1234", true, true, MakeColor(0x12, 0x34, 0)},
        {"", true, true, MakeColor(0, 0, 0)},
        {"#1234567", false, false, 0},
        {"12345678", false, false, 0},
        {"1234567", false, false, 0},
        {"0x123456", false, false, 0},
        {"RGB(18, 52, 86)", false, false, 0},
        {"123456\n", false, false, 0},
        {" 123456", false, false, 0},
        {"12345 ", false, false, 0},
        {"error", false, false, 0},  // ERROR0 fails at its second character
        {"GG0000", false, false, 0},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.text);
        ColorValue plain = kUntouched, hash = kUntouched;
        EXPECT_EQ(ParseHexColorPlain(c.text, plain), c.plainAccepts);
        EXPECT_EQ(ParseHexColor(c.text, hash), c.hashAccepts);
        EXPECT_EQ(plain, c.plainAccepts ? c.expected : kUntouched);
        EXPECT_EQ(hash, c.hashAccepts ? c.expected : kUntouched);
    }
}

TEST(ColorTextTest, ColorToHexWritesRedFirstAndRoundTrips) {
    EXPECT_EQ(ColorToHex(MakeColor(18, 52, 86)), "123456");
    EXPECT_EQ(ColorToHex(MakeColor(255, 0, 10)), "FF000A");
    for (ColorValue c : {0u, 0xFFFFFFu, MakeColor(1, 2, 3), MakeColor(200, 100, 50)}) {
        ColorValue back = kUntouched;
        ASSERT_TRUE(ParseHexColor(ColorToHex(c), back));
        EXPECT_EQ(back, c);
    }
}

TEST(ColorTextTest, ReadoutShowsDecimalThenHexRedFirst) {
    using Texts = std::array<std::string, 6>;
    EXPECT_EQ(ReadoutTexts(MakeColor(255, 0, 0)), (Texts{"255", "000", "000", "FF", "00", "00"}));
    EXPECT_EQ(ReadoutTexts(MakeColor(5, 16, 200)), (Texts{"005", "016", "200", "05", "10", "C8"}));
}

}  // namespace
}  // namespace huebird
