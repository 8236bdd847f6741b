#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "core/Contrast.h"

namespace huebird {
namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

TEST(ContrastTest, KnownPairs) {
    struct Case {
        Rgb a, b;
        double ratio;      // published or computed by hand, to four places
        const char* text;  // cut off, never rounded up
        ContrastVerdicts passes;
    };
    const Case cases[] = {
        {kBlack, kWhite, 21.0, "21.00:1", {true, true, true, true}},
        {kWhite, kBlack, 21.0, "21.00:1", {true, true, true, true}},
        {{10, 20, 30}, {10, 20, 30}, 1.0, "1.00:1", {false, false, false, false}},
        {kWhite, kWhite, 1.0, "1.00:1", {false, false, false, false}},
        // Published grey examples either side of AA for normal text.
        {{0x77, 0x77, 0x77}, kWhite, 4.4781, "4.47:1", {false, true, false, false}},
        {{0x76, 0x76, 0x76}, kWhite, 4.5422, "4.54:1", {true, true, false, true}},
        {{0x59, 0x59, 0x59}, kWhite, 7.0047, "7.00:1", {true, true, true, true}},
        {{0, 0, 255}, kWhite, 8.5925, "8.59:1", {true, true, true, true}},
        // Often published as 4:1; it is a hair under, and shows so.
        {{255, 0, 0}, kWhite, 3.9985, "3.99:1", {false, true, false, false}},
        {{0, 255, 0}, kBlack, 15.3040, "15.30:1", {true, true, true, true}},
        // Just under each threshold: rounding would show the threshold next to a fail.
        {{17, 173, 0}, kWhite, 2.9995, "2.99:1", {false, false, false, false}},
        {{21, 138, 0}, kWhite, 4.4994, "4.49:1", {false, true, false, false}},
        {{69, 98, 0}, kWhite, 6.9997, "6.99:1", {true, true, false, true}},
    };
    for (const Case& c : cases) {
        const double ratio = ContrastRatio(c.a, c.b);
        SCOPED_TRACE(c.text);
        EXPECT_NEAR(ratio, c.ratio, 0.00005);
        EXPECT_DOUBLE_EQ(ContrastRatio(c.b, c.a), ratio);
        EXPECT_EQ(ContrastRatioText(ratio), c.text);
        const ContrastVerdicts v = JudgeContrast(ratio);
        EXPECT_EQ(v.aaNormal, c.passes.aaNormal);
        EXPECT_EQ(v.aaLarge, c.passes.aaLarge);
        EXPECT_EQ(v.aaaNormal, c.passes.aaaNormal);
        EXPECT_EQ(v.aaaLarge, c.passes.aaaLarge);
    }
}

TEST(ContrastTest, LuminanceUsesTheLinearSegmentUpToTheThreshold) {
    EXPECT_DOUBLE_EQ(RelativeLuminance(kBlack), 0.0);
    EXPECT_DOUBLE_EQ(RelativeLuminance(kWhite), 1.0);
    // 10/255 = 0.0392 lies on the linear segment, 11/255 = 0.0431 on the curve.
    EXPECT_DOUBLE_EQ(RelativeLuminance({10, 0, 0}), 0.2126 * (10 / 255.0) / 12.92);
    EXPECT_NEAR(RelativeLuminance({0, 11, 0}), 0.7152 * 0.0033465, 1e-7);
    EXPECT_NEAR(RelativeLuminance({0, 0, 128}), 0.0722 * 0.2158605, 1e-7);
}

TEST(ContrastTest, ShownRatioNeverReachesAThresholdTheRatioMisses) {
    // Every grey against white and black: the figure shown passes exactly when the ratio does.
    for (int v = 0; v < 256; ++v) {
        for (const Rgb& other : {kWhite, kBlack}) {
            const double ratio = ContrastRatio({v, v, v}, other);
            const double shown = std::stod(ContrastRatioText(ratio));
            const ContrastVerdicts real = JudgeContrast(ratio);
            const ContrastVerdicts seen = JudgeContrast(shown);
            EXPECT_EQ(real.aaNormal, seen.aaNormal) << v;
            EXPECT_EQ(real.aaLarge, seen.aaLarge) << v;
            EXPECT_EQ(real.aaaNormal, seen.aaaNormal) << v;
            EXPECT_LE(shown, ratio) << v;
            EXPECT_GT(shown, ratio - 0.01) << v;
        }
    }
}

TEST(ContrastTest, StripColumnsVaryOnlyTheirOwnComponent) {
    const Rgb edited{10, 20, 30};
    EXPECT_EQ(StripColumnColor(edited, Channel::Red, 0), (Rgb{0, 20, 30}));
    EXPECT_EQ(StripColumnColor(edited, Channel::Green, 128), (Rgb{10, 128, 30}));
    EXPECT_EQ(StripColumnColor(edited, Channel::Blue, 255), (Rgb{10, 20, 255}));
    // Red moved to 200: green and blue strips are repainted with red 200.
    struct Move {
        Channel moved;
        std::array<Channel, 2> strips;
        Rgb column7Of[2];
    };
    const Move moves[] = {
        {Channel::Red, {Channel::Green, Channel::Blue}, {{200, 7, 30}, {200, 20, 7}}},
        {Channel::Green, {Channel::Red, Channel::Blue}, {{7, 200, 30}, {10, 200, 7}}},
        {Channel::Blue, {Channel::Red, Channel::Green}, {{7, 20, 200}, {10, 7, 200}}},
    };
    for (const Move& m : moves) {
        EXPECT_EQ(OtherStrips(m.moved), m.strips);
        const Rgb base = WithComponent(edited, m.moved, 200);
        for (int s = 0; s < 2; ++s)
            EXPECT_EQ(StripColumnColor(base, m.strips[s], 7), m.column7Of[s]);
    }
}

TEST(ContrastTest, EditBoxRules) {
    using Kind = ContrastEdit::Kind;
    struct Case {
        const char* text;
        Kind kind;
        int position;
        bool limited;
    };
    const Case cases[] = {
        {"", Kind::Nothing, 0, false},
        {"0", Kind::MoveTo, 0, false},
        {"7", Kind::MoveTo, 7, false},
        {"007", Kind::MoveTo, 7, false},
        {"255", Kind::MoveTo, 255, false},
        {"256", Kind::MoveTo, 255, true},
        {"300", Kind::MoveTo, 255, true},
        {"999", Kind::MoveTo, 255, true},
        {"99999999999999999999", Kind::MoveTo, 255, true},
        {"+12", Kind::MoveTo, 12, false},
        {"-4", Kind::MoveTo, 0, true},
        {"-0", Kind::MoveTo, 0, false},
        {"abc", Kind::NotANumber, 0, false},
        {"1a", Kind::NotANumber, 0, false},
        {"-", Kind::NotANumber, 0, false},
        {" 12", Kind::NotANumber, 0, false},
        {"1.5", Kind::NotANumber, 0, false},
        {"\xEF\xBC\x91", Kind::NotANumber, 0, false},  // a full-width digit
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const ContrastEdit edit = ContrastEditChange(c.text);
        EXPECT_EQ(edit.kind, c.kind);
        if (c.kind == Kind::MoveTo) {
            EXPECT_EQ(edit.position, c.position);
            EXPECT_EQ(edit.limited, c.limited);
        }
        if (c.kind == Kind::NotANumber) {
            EXPECT_EQ(edit.error,
                      std::string("'").append(c.text).append("' is not a valid integer value"));
        } else {
            EXPECT_TRUE(edit.error.empty());
        }
    }
    EXPECT_EQ(ContrastEditText(7), "7");
    EXPECT_EQ(ContrastEditText(0), "0");
    for (char32_t c : std::u32string_view(U"\b0123456789")) EXPECT_TRUE(AcceptsContrastEditChar(c));
    for (char32_t c : std::u32string_view(U"/:a -+.\r\x16\x7f\uFF11"))
        EXPECT_FALSE(AcceptsContrastEditChar(c));
}

}  // namespace
}  // namespace huebird
