#include <gtest/gtest.h>

#include "core/CopyAs.h"
#include "core/Notation.h"

namespace huebird {
namespace {

TEST(CopyAsTest, EntriesInMenuOrder) {
    const ColorValue c = MakeColor(233, 69, 96);
    const std::vector<CopyAsEntry> e = CopyAsEntries(c);
    const char* const texts[] = {"#E94560", "E94560",         "RGB(233, 069, 096)",    "15287648",
                                 "#e94560", "rgb(233 69 96)", "hsl(350.1 78.8% 59.2%)"};
    ASSERT_EQ(e.size(), 13u);
    for (std::size_t i = 0; i < std::size(texts); ++i) EXPECT_EQ(e[i].text, texts[i]) << i;
    // The first four are the copy setting's own texts, whatever it is set to.
    EXPECT_EQ(e[0].text, CopyText(c, 0, true));
    EXPECT_EQ(e[1].text, CopyText(c, 0, false));
    EXPECT_EQ(e[2].text, CopyText(c, 1, true));
    EXPECT_EQ(e[3].text, CopyText(c, 2, true));
    EXPECT_EQ(e[11].text.rfind("oklch(", 0), 0u);
    EXPECT_TRUE(e[4].startsGroup && e[12].startsGroup);
    EXPECT_FALSE(e[5].startsGroup);
    // Not a named colour: the nearest one, marked.
    EXPECT_TRUE(e[12].approximate);
    EXPECT_EQ(CopyAsEntries(MakeColor(220, 20, 60))[12].text, "crimson");
    EXPECT_FALSE(CopyAsEntries(MakeColor(220, 20, 60))[12].approximate);
}

// Everything the menu copies reads back as the colour copied (the named colour when exact).
TEST(CopyAsTest, EveryEntryReadsBack) {
    for (ColorValue c = 0; c <= 0xFFFFFF; c += 4099) {
        const std::vector<CopyAsEntry> entries = CopyAsEntries(c);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const CopyAsEntry& e = entries[i];
            if (e.approximate) continue;
            const bool decimal = i == 3;  // six digits of it read as the decimal notation
            CssProblem why;
            const std::optional<ColorValue> got = ReadAnyColour(e.text, decimal, &why);
            ASSERT_TRUE(got.has_value()) << e.text << ": " << CssProblemText(why);
            EXPECT_EQ(*got, c) << e.text;
        }
    }
}

TEST(CopyAsTest, ReadsWhatDesignersCopy) {
    struct Case {
        const char* text;
        bool sixDigitsAreDecimal;
        ColorValue want;
    };
    const ColorValue pink = MakeColor(233, 69, 96);
    const Case cases[] = {
        {"rgb(233, 69, 96)", false, pink},
        {"#36c", false, MakeColor(0x33, 0x66, 0xCC)},
        {"#e94560\n", false, pink},
        {"  #E94560\r\n", false, pink},
        {"\xC2\xA0#e94560\xE2\x80\x8B", false, pink},  // no-break and zero-width spaces
        {"\xEF\xBB\xBF"
         "crimson",
         false, MakeColor(220, 20, 60)},
        {"#e94560cc", false, pink},  // the alpha is dropped
        {"RGB(233, 069, 096)", false, pink},
        {"E94560", false, pink},
        {"e94560", true, pink},  // not all digits: hexadecimal whatever the setting
        {"0xE94560", false, pink},
        {"15287648", false, pink},
        {"65536", false, MakeColor(1, 0, 0)},
        {"0", false, MakeColor(0, 0, 0)},
        {"123456", false, MakeColor(0x12, 0x34, 0x56)},
        {"123456", true, MakeColor(0x01, 0xE2, 0x40)},
        {"color: #e94560;", false, pink},
        {"--accent-2: rgb(233 69 96) !important;", false, pink},
        {"oklch(62.8% 0.2577 29.23)", false, MakeColor(255, 0, 0)},
        {"hsl(350.1 78.8% 59.2%)", false, pink},
    };
    for (const Case& c : cases) {
        CssProblem why;
        const std::optional<ColorValue> got = ReadAnyColour(c.text, c.sixDigitsAreDecimal, &why);
        ASSERT_TRUE(got.has_value()) << c.text << ": " << CssProblemText(why);
        EXPECT_EQ(*got, c.want) << c.text;
    }
}

TEST(CopyAsTest, SaysWhyATextIsNoColour) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "没有颜色"},
        {" \n\xC2\xA0", "没有颜色"},
        {"hello", "不认识的颜色名称“hello”"},
        {"16777216", "不是 0 到 16777215 之间的十进制颜色值"},
        {"99999999999999999999999", "不是 0 到 16777215"},
        {"rgb(1,2)", "rgb() 需要 3 个值"},
        {"#12345", "位十六进制数字"},
        {"url(x)", "不认识的颜色函数“url()”"},
    };
    for (const auto& [text, reason] : cases) {
        CssProblem why;
        EXPECT_FALSE(ReadAnyColour(text, false, &why).has_value()) << text;
        EXPECT_NE(CssProblemText(why).find(reason), std::string::npos)
            << text << " gave " << CssProblemText(why);
    }
}

TEST(CopyAsTest, QuotesClipboardTextForANotice) {
    EXPECT_EQ(QuotedClipboardText("rgb(1,2)\r\nx\ty"), "rgb(1,2)⏎x⇥y");
    EXPECT_EQ(QuotedClipboardText("颜色很好看", 3), "颜色很…");
    EXPECT_EQ(QuotedClipboardText("ab\xFF"
                                  "c\x01"),
              "ab?c?");
    EXPECT_EQ(QuotedClipboardText(std::string(100000, 'a'), 5), "aaaaa…");
    EXPECT_EQ(QuotedClipboardText("\xE9\x97"), "??");  // a character cut short
}

}  // namespace
}  // namespace huebird
