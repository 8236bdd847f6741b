#include "core/ManualInput.h"

#include <gtest/gtest.h>

namespace huebird {
namespace {

TEST(ManualInputTest, KeyFiltersTakeOnlyTheirDigitsAndBackspace) {
    const std::u32string digits = U"\b0123456789";
    const std::u32string hexLetters = U"abcdefABCDEF";
    // Neighbours of the ranges, signs, Enter, Ctrl+C, Ctrl+V, Ctrl+X, Delete, a full-width
    // digit and a character beyond 16 bits.
    const std::u32string others = U"gG/:`@ -+#\r\x03\x16\x18\x7f\uFF11\U00010030";
    for (char32_t c : digits) {
        EXPECT_TRUE(AcceptsHexInputChar(c)) << static_cast<unsigned>(c);
        EXPECT_TRUE(AcceptsDecimalInputChar(c)) << static_cast<unsigned>(c);
    }
    for (char32_t c : hexLetters) {
        EXPECT_TRUE(AcceptsHexInputChar(c)) << static_cast<unsigned>(c);
        EXPECT_FALSE(AcceptsDecimalInputChar(c)) << static_cast<unsigned>(c);
    }
    for (char32_t c : others) {
        EXPECT_FALSE(AcceptsHexInputChar(c)) << static_cast<unsigned>(c);
        EXPECT_FALSE(AcceptsDecimalInputChar(c)) << static_cast<unsigned>(c);
    }
}

TEST(ManualInputTest, HexEntryPadsShortTextAndRejectsTheRest) {
    struct Case {
        const char* text;
        std::optional<ColorValue> color;
    };
    const Case cases[] = {
        {"FF", MakeColor(255, 0, 0)},
        {"", MakeColor(0, 0, 0)},
        {"12ab9F", MakeColor(0x12, 0xAB, 0x9F)},
        {"12G", std::nullopt},
        {"-5", std::nullopt},
        {" 12", std::nullopt},
        {"\xEF\xBC\x91", std::nullopt},  // a full-width digit pasted in
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(HexEntryColor(c.text), c.color);
    }
}

TEST(ManualInputTest, DecimalEntryClampsFieldsAndReadsThemInOrder) {
    using Fields = std::array<std::string, 3>;
    struct Case {
        Fields in;
        Fields out;
        std::optional<ColorValue> color;
        std::string error;
    };
    const Case cases[] = {
        {{"300", "20", "0"}, {"255", "20", "0"}, MakeColor(255, 20, 0), ""},
        {{"018", "052", "086"}, {"018", "052", "086"}, MakeColor(18, 52, 86), ""},
        {{"255", "256", "999"}, {"255", "255", "255"}, MakeColor(255, 255, 255), ""},
        {{"+7", "0", "1"}, {"+7", "0", "1"}, MakeColor(7, 0, 1), ""},
        // Negatives only arrive by pasting; they must not borrow from the next byte.
        {{"-5", "10", "-1"}, {"0", "10", "0"}, MakeColor(0, 10, 0), ""},
        {{"-2147483648", "2147483647", "-0"}, {"0", "255", "-0"}, MakeColor(0, 255, 0), ""},
        // Not integers: the first bad field stops the entry, earlier fields stay corrected.
        {{"300", "", "0"}, {"255", "", "0"}, std::nullopt, "'' is not a valid integer value"},
        {{"999", "-9", "x1"},
         {"255", "0", "x1"},
         std::nullopt,
         "'x1' is not a valid integer value"},
        {{"2147483648", "0", "0"},
         {"2147483648", "0", "0"},
         std::nullopt,
         "'2147483648' is not a valid integer value"},
        {{"1", "-2147483649", "0"},
         {"1", "-2147483649", "0"},
         std::nullopt,
         "'-2147483649' is not a valid integer value"},
        {{"99999999999999999999", "0", "0"},
         {"99999999999999999999", "0", "0"},
         std::nullopt,
         "'99999999999999999999' is not a valid integer value"},
        {{"1", "2", "-"}, {"1", "2", "-"}, std::nullopt, "'-' is not a valid integer value"},
        {{"1", " 2", "3"}, {"1", " 2", "3"}, std::nullopt, "' 2' is not a valid integer value"},
        {{"0x1", "2", "3"}, {"0x1", "2", "3"}, std::nullopt, "'0x1' is not a valid integer value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.in[0] << "," << c.in[1] << "," << c.in[2]);
        const DecimalEntry entry = EnterDecimalColor(c.in);
        EXPECT_EQ(entry.fields, c.out);
        EXPECT_EQ(entry.color, c.color);
        EXPECT_EQ(entry.error, c.error);
    }
}

TEST(ManualInputTest, OpensBelowTheSkinInsideTheScreen) {
    struct Case {
        int left, top, skinHeight, screenWidth, screenHeight;
        Point expected;
    };
    const Case cases[] = {
        {300, 100, 127, 1024, 768, {260, 247}},
        {41, 100, 127, 1024, 768, {1, 247}},
        {40, 100, 127, 1024, 768, {0, 247}},             // left - 40 not above 0
        {-200, 100, 127, 1024, 768, {0, 247}},           // main window partly off the left side
        {1000, 100, 127, 1024, 768, {1024 - 245, 247}},  // would pass the right side
        {819, 100, 127, 1024, 768, {779, 247}},          // right side exactly on the edge
        {820, 100, 127, 1024, 768, {779, 247}},
        {300, 524, 127, 1024, 768, {260, 671}},  // 671 + 96 = 767 still fits
        {300, 525, 127, 1024, 768, {260, 199}},  // 672 + 96 = 768 does not
        {300, 700, 127, 1024, 768, {260, 199}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "left=" << c.left << " top=" << c.top);
        EXPECT_EQ(InputFormPosition(c.left, c.top, c.skinHeight, c.screenWidth, c.screenHeight),
                  c.expected);
    }
}

}  // namespace
}  // namespace huebird
