#include "core/CssColour.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace huebird {
namespace {

constexpr CssNotation kMeasured[] = {CssNotation::Hex,   CssNotation::Rgb,  CssNotation::Hsl,
                                     CssNotation::Hwb,   CssNotation::Lab,  CssNotation::Lch,
                                     CssNotation::Oklab, CssNotation::Oklch};
const char* NameOf(CssNotation n) {
    static const char* const kNames[] = {"hex", "rgb",   "hsl",   "hwb",  "lab",
                                         "lch", "oklab", "oklch", "named"};
    return kNames[static_cast<int>(n)];
}

constexpr ColorValue kColours = 1u << 24;

// Colours written with `decimals` that do not read back as themselves, stepping by `stride`;
// stops after `enough` of them.
std::vector<std::string> LostColours(CssNotation n, std::array<int, 3> decimals, ColorValue stride,
                                     std::size_t enough) {
    std::vector<std::string> lost;
    for (ColorValue c = 0; c < kColours && lost.size() < enough; c += stride) {
        const std::string text = CssTextWithDecimals(c, n, decimals);
        const std::optional<ColorValue> back = ParseCssColour(text);
        if (!back || *back != c) lost.push_back(CssText(c, CssNotation::Hex) + " -> " + text);
    }
    return lost;
}

// Every colour survives being written and read back: all sixteen million colours in every
// notation, the notations side by side on the machine's cores.
TEST(CssColourTest, EveryColourReadsBackInEveryNotation) {
    struct Sweep {
        CssNotation n;
        ColorValue stride = 1;
        double seconds = 0;
        std::vector<std::string> lost;
    };
    std::vector<Sweep> sweeps;
    for (CssNotation n : kMeasured) {
        Sweep s{n, 1, 0, {}};
#if defined(__SANITIZE_ADDRESS__)
        // Under the address sanitizer the sweep looks for memory faults, not lost colours: a
        // stride prime to 256 still takes every value of every channel.
        s.stride = n == CssNotation::Hex || n == CssNotation::Rgb ? 7 : 101;
#endif
        sweeps.push_back(s);
    }
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::thread> threads;
    std::atomic<std::size_t> next{0};
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    for (unsigned t = 0; t < cores; ++t) {
        threads.emplace_back([&] {
            for (std::size_t i; (i = next++) < sweeps.size();) {
                Sweep& s = sweeps[i];
                const auto begun = std::chrono::steady_clock::now();
                s.lost = LostColours(s.n, CssDecimals(s.n), s.stride, 5);
                s.seconds =
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - begun).count();
            }
        });
    }
    for (std::thread& t : threads) t.join();
    for (const Sweep& s : sweeps) {
        std::printf("[ sweep    ] %-6s every %u colour(s): %.2f s\n", NameOf(s.n), s.stride,
                    s.seconds);
        EXPECT_TRUE(s.lost.empty())
            << NameOf(s.n) << ": " << s.lost.size() << " lost, first " << s.lost.front();
    }
    std::printf("[ sweep    ] all notations, %u thread(s): %.2f s\n", cores,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
}

// One decimal fewer on any number of any notation loses some colour: the decimals are the
// fewest that work.
TEST(CssColourTest, OneDecimalFewerLosesColours) {
    for (CssNotation n : kMeasured) {
        const std::array<int, 3> d = CssDecimals(n);
        for (int i = 0; i < 3; ++i) {
            if (d[i] == 0) continue;
            std::array<int, 3> fewer = d;
            --fewer[i];
            SCOPED_TRACE(std::string(NameOf(n)) + " number " + std::to_string(i + 1));
            EXPECT_FALSE(LostColours(n, fewer, 1, 1).empty());
        }
    }
    EXPECT_EQ(CssDecimals(CssNotation::Rgb), (std::array<int, 3>{0, 0, 0}));
}

// A reader that works in single precision is off in about the seventh significant figure,
// and by a few times that after its matrices. Each text still gives its colour when every
// number is off by a hundred-thousandth of itself, up or down: the colours are not written on
// the very edge of a rounding. Every 1021st colour.
TEST(CssColourTest, ReadsBackWithSmallErrorsInTheNumbers) {
    for (CssNotation n : kMeasured) {
        if (n == CssNotation::Hex || n == CssNotation::Rgb) continue;
        const bool hsl = n == CssNotation::Hsl || n == CssNotation::Hwb;
        const bool ok = n == CssNotation::Oklab || n == CssNotation::Oklch;
        std::size_t lost = 0;
        std::string first;
        for (ColorValue c = 0; c < kColours; c += 1021) {
            const std::string text = CssText(c, n);
            std::string inside = text.substr(text.find('(') + 1);
            std::replace(inside.begin(), inside.end(), '%', ' ');
            double v[3];
            ASSERT_EQ(std::sscanf(inside.c_str(), "%lf %lf %lf", &v[0], &v[1], &v[2]), 3) << text;
            for (int signs = 0; signs < 8; ++signs) {
                double w[3];
                for (int i = 0; i < 3; ++i) w[i] = v[i] * ((signs >> i) & 1 ? 1 + 1e-5 : 1 - 1e-5);
                char nudged[128];
                std::snprintf(nudged, sizeof nudged, "%s(%.9f%s %.9f%s %.9f%s)", NameOf(n), w[0],
                              ok ? "%" : "", w[1], hsl ? "%" : "", w[2], hsl ? "%" : "");
                if (ParseCssColour(nudged) != std::optional<ColorValue>(c)) {
                    if (lost++ == 0) first = text + " as " + nudged;
                    break;
                }
            }
        }
        EXPECT_EQ(lost, 0u) << NameOf(n) << ", first " << first;
    }
}

// The name and the three numbers of a function's text.
struct Numbers {
    std::string name;
    double v[3];
};
Numbers Split(const std::string& text) {
    Numbers out{};
    const std::size_t open = text.find('(');
    out.name = text.substr(0, open);
    std::string inside = text.substr(open + 1);
    std::replace(inside.begin(), inside.end(), '%', ' ');
    const int got = std::sscanf(inside.c_str(), "%lf %lf %lf", &out.v[0], &out.v[1], &out.v[2]);
    EXPECT_EQ(got, 3) << text;
    return out;
}

TEST(CssColourTest, WritesExactTexts) {
    struct Case {
        ColorValue c;
        CssNotation n;
        const char* text;
    };
    const ColorValue red = MakeColor(255, 0, 0), white = MakeColor(255, 255, 255);
    const Case cases[] = {
        {MakeColor(0x12, 0xAB, 0x0F), CssNotation::Hex, "#12ab0f"},
        {MakeColor(0, 0, 0), CssNotation::Hex, "#000000"},
        {MakeColor(7, 128, 255), CssNotation::Rgb, "rgb(7 128 255)"},
        {MakeColor(0, 255, 0), CssNotation::Hsl, "hsl(120 100% 50%)"},
        {MakeColor(0, 128, 0), CssNotation::Hsl, "hsl(120 100% 25.1%)"},
        {MakeColor(128, 128, 128), CssNotation::Hsl, "hsl(0 0% 50.2%)"},
        {red, CssNotation::Hwb, "hwb(0 0% 0%)"},
        {MakeColor(0x66, 0x33, 0x99), CssNotation::Hwb, "hwb(270 20% 40%)"},
        {MakeColor(51, 51, 51), CssNotation::Hwb, "hwb(0 20% 80%)"},
        {white, CssNotation::Lab, "lab(100 0 0)"},
        {white, CssNotation::Lch, "lch(100 0 0)"},
        {white, CssNotation::Oklab, "oklab(100% 0 0)"},
        {white, CssNotation::Oklch, "oklch(100% 0 0)"},
        {MakeColor(0, 0, 0), CssNotation::Lab, "lab(0 0 0)"},
        {MakeColor(0, 0, 0), CssNotation::Oklch, "oklch(0% 0 0)"},
        {MakeColor(0x66, 0x33, 0x99), CssNotation::Named, "rebeccapurple"},
    };
    for (const Case& c : cases) EXPECT_EQ(CssText(c.c, c.n), c.text);
}

// Lab and Oklab figures from a separate calculation in Python: Lab from the sRGB primaries'
// chromaticities, the D65 and D50 white chromaticities (0.3127, 0.3290 and 0.3457, 0.3585)
// and the Bradford cone matrix, all composed there rather than taken from our constants;
// Oklab through its own linear-sRGB matrices rather than the XYZ ones used here.
TEST(CssColourTest, LabAndOklabAgreeWithASeparateCalculation) {
    struct Case {
        ColorValue c;
        CssNotation n;
        double v[3];
    };
    const Case cases[] = {
        {MakeColor(255, 0, 0), CssNotation::Lab, {54.2905, 80.8049, 69.8910}},
        {MakeColor(255, 0, 0), CssNotation::Lch, {54.2905, 106.8372, 40.8577}},
        {MakeColor(255, 0, 0), CssNotation::Oklab, {62.796, 0.22486, 0.12585}},
        {MakeColor(255, 0, 0), CssNotation::Oklch, {62.796, 0.25768, 29.2339}},
        {MakeColor(0, 255, 0), CssNotation::Lab, {87.8185, -79.2711, 80.9946}},
        {MakeColor(0, 0, 255), CssNotation::Lch, {29.5683, 131.2014, 301.3643}},
        {MakeColor(0, 0, 255), CssNotation::Oklab, {45.201, -0.03246, -0.31153}},
        {MakeColor(0x66, 0x33, 0x99), CssNotation::Lab, {32.3927, 38.4230, -47.6911}},
        {MakeColor(0x66, 0x33, 0x99), CssNotation::Oklch, {44.027, 0.16030, 303.3730}},
        {MakeColor(0x12, 0x34, 0x56), CssNotation::Lch, {20.6755, 24.6983, 264.7107}},
        {MakeColor(0x12, 0x34, 0x56), CssNotation::Oklab, {31.917, -0.02339, -0.06858}},
        {MakeColor(0x77, 0x77, 0x77), CssNotation::Lab, {50.0344, 0, 0}},
        {MakeColor(0x77, 0x77, 0x77), CssNotation::Oklch, {56.926, 0, 0}},
    };
    for (const Case& c : cases) {
        const std::string text = CssText(c.c, c.n);
        SCOPED_TRACE(text);
        const Numbers got = Split(text);
        EXPECT_EQ(got.name, NameOf(c.n));
        const bool ok = c.n == CssNotation::Oklab || c.n == CssNotation::Oklch;
        // The text is rounded to its decimals; the two calculations differ in the fifth place.
        const double tolerance[3] = {0.01, ok ? 1e-4 : 0.01,
                                     c.n == CssNotation::Oklab ? 1e-4 : 0.02};
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(got.v[i], c.v[i], tolerance[i]) << "number " << i + 1;
    }
}

TEST(CssColourTest, NamedColours) {
    const auto names = CssNamedColours();
    ASSERT_EQ(names.size(), 148u);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(),
                               [](const auto& a, const auto& b) { return a.name < b.name; }));
    EXPECT_TRUE(std::adjacent_find(names.begin(), names.end(), [](const auto& a, const auto& b) {
                    return a.name == b.name;
                }) == names.end());
    for (const CssNamedColour& n : names) {
        std::string upper(n.name);
        for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        EXPECT_EQ(ParseCssColour(upper), n.colour) << upper;
        const CssNameMatch m = NearestCssName(n.colour);
        EXPECT_TRUE(m.exact) << n.name;
        EXPECT_EQ(m.colour, n.colour) << n.name;
    }

    struct Case {
        ColorValue c;
        const char* name;
        bool exact;
    };
    const Case cases[] = {
        {MakeColor(0x66, 0x33, 0x99), "rebeccapurple", true},
        {MakeColor(0, 255, 255), "aqua", true},       // the same colour as cyan
        {MakeColor(128, 128, 128), "gray", true},     // and grey
        {MakeColor(0xFF, 0, 0xFF), "fuchsia", true},  // and magenta
        {MakeColor(0xDB, 0x70, 0x93), "palevioletred", true},
        {MakeColor(254, 1, 0), "red", false},
        {MakeColor(1, 1, 1), "black", false},
        {MakeColor(0x80, 0x80, 0x81), "gray", false},
        {MakeColor(0x66, 0x33, 0x98), "rebeccapurple", false},
    };
    for (const Case& c : cases) {
        const CssNameMatch m = NearestCssName(c.c);
        EXPECT_EQ(m.name, c.name);
        EXPECT_EQ(m.exact, c.exact) << c.name;
        EXPECT_EQ(CssText(c.c, CssNotation::Named), c.name);
    }
}

// Texts in each syntax, with the colour a CSS engine makes of them. Where they come from:
// the named colour list (rebeccapurple = #663399, lime, green = #008000) with the CSS colour
// document's hsl(120deg 100% 50%) and hsl(120deg 100% 25%) (127.5 rounds up to green's 128);
// the rest are worked by hand from the conversion rules, and the lab(), lch(), oklab() and
// oklch() texts of red are the separately calculated figures of the test above, rounded.
TEST(CssColourTest, ReadsEachSyntax) {
    struct Case {
        const char* text;
        ColorValue c;
    };
    const ColorValue red = MakeColor(255, 0, 0), lime = MakeColor(0, 255, 0);
    const Case cases[] = {
        {"#f00", red},
        {"#F008", red},
        {"#ff0000", red},
        {"#FF000080", red},
        {"#1e90ff", MakeColor(0x1E, 0x90, 0xFF)},
        {"  \r\n #663399 \r\n", MakeColor(0x66, 0x33, 0x99)},
        {"RebeccaPurple", MakeColor(0x66, 0x33, 0x99)},
        {"\tLIME\n", lime},
        {"rgb(0 0 0)", MakeColor(0, 0, 0)},
        {"rgb(255, 0, 0)", red},
        {"rgba(255,0,0,0.5)", red},
        {"RGB(255 0 0 / 50%)", red},
        {"rgb(255 0 0/0.1)", red},
        {"rgb(29 164 192 / 95%)", MakeColor(29, 164, 192)},
        {"rgb(100%, 50%, 0%)", MakeColor(255, 128, 0)},
        {"rgb(100% 128 0)", MakeColor(255, 128, 0)},
        {"rgb(none 255 none)", lime},
        {"rgb(+1e2 .6 0)", MakeColor(100, 1, 0)},
        {"rgb(  10\n  20\r\n 30  )", MakeColor(10, 20, 30)},
        {"rgb(300 -20 128)", MakeColor(255, 0, 128)},
        {"hsl(120deg 100% 50%)", lime},
        {"hsl(120, 100%, 25%)", MakeColor(0, 128, 0)},
        {"hsla(120, 100%, 50%, 0.3)", lime},
        {"HSL(120 100 50)", lime},
        {"hsl(480 100% 50%)", lime},
        {"hsl(-240 100% 50%)", lime},
        {"hsl(2.0943951rad 100% 50%)", lime},
        {"hsl(133.3333grad 100% 50%)", lime},
        {"hsl(0.3333333turn 100% 50% / none)", lime},
        {"hsl(none 0% 50%)", MakeColor(128, 128, 128)},
        {"hsl(0 100% 50%)", red},
        {"hwb(0 0% 0%)", red},
        {"hwb(120 0% 0% / 0.2)", lime},
        {"hwb(270 20% 40%)", MakeColor(0x66, 0x33, 0x99)},
        {"hwb(0 60% 60%)", MakeColor(128, 128, 128)},
        {"hwb(90 100% 0%)", MakeColor(255, 255, 255)},
        {"lab(100 0 0)", MakeColor(255, 255, 255)},
        {"lab(0% 0 0)", MakeColor(0, 0, 0)},
        {"lab(150 0 0)", MakeColor(255, 255, 255)},
        {"lab(54.29 80.81 69.89)", red},
        {"lab(54.29% 64.65% 55.91%)", red},
        {"lch(54.29 106.84 40.85)", red},
        {"lch(54.29 106.84 40.85deg / 1)", red},
        {"lch(50.03 none none)", MakeColor(0x77, 0x77, 0x77)},
        {"oklab(1 0 0)", MakeColor(255, 255, 255)},
        {"oklab(0% 0 0)", MakeColor(0, 0, 0)},
        {"oklab(-1 0 0)", MakeColor(0, 0, 0)},
        {"oklab(62.8% 0.2249 0.1258)", red},
        {"oklab(0.628 56.2% 31.45%)", red},
        {"oklch(62.8% 0.2577 29.23)", red},
        {"OKLCH(0.628 64.4% 29.23deg)", red},
        {"oklch(100% 0 none)", MakeColor(255, 255, 255)},
    };
    for (const Case& c : cases) {
        CssProblem why;
        const std::optional<ColorValue> got = ParseCssColour(c.text, &why);
        ASSERT_TRUE(got.has_value()) << c.text << ": " << CssProblemText(why);
        EXPECT_EQ(CssText(*got, CssNotation::Hex), CssText(c.c, CssNotation::Hex)) << c.text;
    }
}

TEST(CssColourTest, RejectsWithAReason) {
    struct Case {
        const char* text;
        const char* reason;  // some words of the reason given
    };
    const Case cases[] = {
        {"", "没有颜色"},
        {" \r\n ", "没有颜色"},
        {"foo", "不认识的颜色名称“foo”"},
        {"transparent", "不认识的颜色名称"},
        {"red x", "不认识的颜色名称“red x”"},
        {"#12", "位十六进制数字"},
        {"#12345", "位十六进制数字"},
        {"#123456789", "位十六进制数字"},
        {"#ggg", "非十六进制字符"},
        {"rgb(1,2)", "rgb() 需要 3 个值"},
        {"rgb(1 2 3 4)", "rgb() 需要 3 个值"},
        {"rgb()", "rgb() 需要 3 个值"},
        {"rgb(1, 2 3)", "混用了逗号和空格"},
        {"rgb(1,,2,3)", "有空值"},
        {"rgb(1%, 2, 3)", "要么全是数字，要么全是百分比"},
        {"rgb(1, 2, 3 / 1)", "混用了逗号和“/”"},
        {"rgb(1 2 3 /)", "后面没有值"},
        {"rgb(1 2 3 / 1 2)", "只能有一个透明度"},
        {"rgb(none, 2, 3)", "不能写 none"},
        {"rgb(1px 2 3)", "单位“px”无法识别"},
        {"rgb(10deg 2 3)", "只有色相可以带角度单位"},
        {"rgb(1 2 3) x", "没有以“)”结尾"},
        {"rgb(1 2 3", "没有以“)”结尾"},
        {"rgb(1 2 3))", "括号多余"},
        {"rgb (1 2 3)", "不认识的颜色函数"},
        {"color(srgb 1 0 0)", "不认识的颜色函数“color()”"},
        {"hsl(abc)", "hsl() 需要 3 个值"},
        {"hsl(abc 10% 10%)", "“abc”不是数字"},
        {"hsl(--5 10% 10%)", "不是数字"},
        {"hsl(10%, 20%, 30%)", "色相不能是百分比"},
        {"hsl(10, 20, 30)", "色相后面要写百分比"},
        {"hwb(10, 20%, 30%)", "不能用逗号分隔"},
        {"lab(1, 2, 3)", "不能用逗号分隔"},
        {"oklch(50% 0.1 20deg / 1deg)", "透明度不能是角度"},
    };
    for (const Case& c : cases) {
        CssProblem why;
        EXPECT_FALSE(ParseCssColour(c.text, &why).has_value()) << c.text;
        const std::string said = CssProblemText(why);
        EXPECT_NE(said.find(c.reason), std::string::npos) << c.text << " gave \"" << said << '"';
    }
    EXPECT_FALSE(ParseCssColour("nope").has_value());  // no reason asked for
}

}  // namespace
}  // namespace huebird
