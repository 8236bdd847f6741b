#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "core/Palettes.h"

namespace huebird {
namespace {

const Palette& My() { return Palettes()[0]; }
const Palette& Adobe() { return Palettes()[1]; }
const Palette& Web() { return Palettes()[2]; }
const Palette& Mac() { return Palettes()[3]; }

std::uint32_t ColourAt(const Palette& p, int column, int row) {
    const auto c = p.Cell(column, row);
    EXPECT_TRUE(c.has_value()) << p.caption << " " << column << "," << row;
    return c.value_or(0xDEADBEEF);
}

std::vector<std::uint32_t> RowOf(const Palette& p, int row) {
    std::vector<std::uint32_t> out;
    for (int c = 0; c < p.columns; ++c) out.push_back(ColourAt(p, c, row));
    return out;
}

bool IsWebSafe(std::uint32_t c) {
    for (int shift : {0, 8, 16}) {
        if (((c >> shift) & 0xFF) % 0x33 != 0) return false;
    }
    return c <= 0xFFFFFF;
}

// How often each colour occurs in the cells in [first, last).
std::map<std::uint32_t, int> Count(const Palette& p, std::size_t first, std::size_t last) {
    std::map<std::uint32_t, int> seen;
    for (std::size_t i = first; i < last; ++i) {
        if (p.cells[i]) ++seen[*p.cells[i]];
    }
    return seen;
}

void ExpectEveryWebSafeColourOnce(const std::map<std::uint32_t, int>& seen) {
    EXPECT_EQ(seen.size(), 216u);
    for (const auto& [colour, n] : seen) {
        EXPECT_TRUE(IsWebSafe(colour)) << std::hex << colour;
        EXPECT_EQ(n, 1) << std::hex << colour;
    }
}

TEST(PalettesTest, SizesAndGrids) {
    struct Case {
        const char* caption;
        int width, height, columns, rows, pitch;
    };
    const Case cases[] = {{"My", 191, 121, 19, 12, 10},
                          {"Adobe", 129, 65, 16, 8, 8},
                          {"Web", 129, 113, 16, 14, 8},
                          {"Mac", 129, 129, 16, 16, 8}};
    for (std::size_t i = 0; i < 4; ++i) {
        const Palette& p = Palettes()[i];
        const Case& c = cases[i];
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(p.caption, c.caption);
        EXPECT_EQ(p.width(), c.width);
        EXPECT_EQ(p.height(), c.height);
        EXPECT_EQ(p.columns, c.columns);
        EXPECT_EQ(p.rows, c.rows);
        EXPECT_EQ(p.pitch, c.pitch);
        EXPECT_EQ(p.cells.size(), static_cast<std::size_t>(c.columns * c.rows));
        EXPECT_EQ(RenderPalette(p).size(), static_cast<std::size_t>(c.width * c.height));
    }
}

TEST(PalettesTest, MyIsAGreyRampBesideTheWebSafeColours) {
    std::vector<std::uint32_t> ramp;
    for (int r = 0; r < 12; ++r) ramp.push_back(ColourAt(My(), 0, r));
    EXPECT_EQ(ramp, (std::vector<std::uint32_t>{0xFFFFFF, 0xE8E8E8, 0xD1D1D1, 0xBABABA, 0xA3A3A3,
                                                0x8C8C8C, 0x757575, 0x5E5E5E, 0x474747, 0x303030,
                                                0x171717, 0x000000}));
    // Green steps along a block of six columns, blue down a block of six rows; red counts the
    // blocks, left to right, then the lower half.
    struct Cell {
        int column, row;
        std::uint32_t colour;
    };
    const Cell cells[] = {{1, 0, 0x000000},  {6, 0, 0x00FF00},   {7, 0, 0x330000},
                          {18, 0, 0x66FF00}, {1, 5, 0x0000FF},   {13, 3, 0x660099},
                          {1, 6, 0x990000},  {18, 11, 0xFFFFFF}, {10, 8, 0xCC9966}};
    for (const Cell& c : cells) {
        EXPECT_EQ(ColourAt(My(), c.column, c.row), c.colour) << c.column << "," << c.row;
    }
    std::map<std::uint32_t, int> seen;
    for (int r = 0; r < 12; ++r) {
        for (int c = 1; c < 19; ++c) ++seen[ColourAt(My(), c, r)];
    }
    ExpectEveryWebSafeColourOnce(seen);
}

TEST(PalettesTest, AdobeRowsAsGivenAndEvenTintsAndShades) {
    EXPECT_EQ(RowOf(Adobe(), 0),
              (std::vector<std::uint32_t>{
                  0xFF0000, 0xFFFF00, 0x00FF00, 0x00FFFF, 0x0000FF, 0xFF00FF, 0xFFFFFF, 0xE6E6E6,
                  0xDADADA, 0xCDCDCD, 0xC0C0C0, 0xB4B4B4, 0xA8A8A8, 0x9A9A9A, 0x8D8D8D, 0x818181}));
    EXPECT_EQ(RowOf(Adobe(), 1),
              (std::vector<std::uint32_t>{
                  0xEE1D24, 0xFFF100, 0x00A650, 0x00AEEF, 0x2F3192, 0xED008C, 0x747474, 0x666666,
                  0x595959, 0x4B4B4B, 0x3E3E3E, 0x303030, 0x212121, 0x131313, 0x060606, 0x000000}));
    EXPECT_EQ(RowOf(Adobe(), 4),
              (std::vector<std::uint32_t>{
                  0xEE1D24, 0xF16522, 0xF7941D, 0xFFF100, 0x8FC63D, 0x37B44A, 0x00A650, 0x00A99E,
                  0x00AEEF, 0x0072BC, 0x0054A5, 0x2F3192, 0x652C91, 0x91278F, 0xED008C, 0xEE105A}));
    // Down each column every component moves towards white above row 4 and towards black
    // below it, in equal steps (within rounding): pale tint, tint, full, dark, darkest.
    for (int column = 0; column < 16; ++column) {
        for (int shift : {16, 8, 0}) {
            int v[5];
            for (int i = 0; i < 5; ++i) v[i] = (ColourAt(Adobe(), column, i + 2) >> shift) & 0xFF;
            SCOPED_TRACE(testing::Message() << "column " << column << " shift " << shift);
            EXPECT_NEAR(v[0] - v[1], v[1] - v[2], 1);
            EXPECT_NEAR(v[2] - v[3], v[3] - v[4], 1);
            EXPECT_NEAR(255 - v[0], (255 - v[2]) / 2, 1);  // pale tint: half-way to white
            EXPECT_NEAR(v[4], v[2] / 2, 1);                // darkest: half the strength
            EXPECT_TRUE(v[0] >= v[1] && v[1] >= v[2] && v[2] >= v[3] && v[3] >= v[4]);
        }
        // A light component cannot be told from the full hue, but the cell as a whole can.
        EXPECT_NE(ColourAt(Adobe(), column, 3), ColourAt(Adobe(), column, 4));
        EXPECT_NE(ColourAt(Adobe(), column, 5), ColourAt(Adobe(), column, 4));
    }
    // Row 7: tans and browns from light to dark, then six empty cells.
    EXPECT_EQ(ColourAt(Adobe(), 0, 7), 0xC7B198u);
    EXPECT_EQ(ColourAt(Adobe(), 4, 7), 0x362F2Cu);
    EXPECT_EQ(ColourAt(Adobe(), 5, 7), 0xC69C6Du);
    EXPECT_EQ(ColourAt(Adobe(), 9, 7), 0x613813u);
    for (int c = 0; c + 1 < 10; ++c) {
        if (c == 4) continue;
        const std::uint32_t a = ColourAt(Adobe(), c, 7), b = ColourAt(Adobe(), c + 1, 7);
        EXPECT_TRUE((a >> 16) > (b >> 16) && ((a >> 8) & 0xFF) > ((b >> 8) & 0xFF) &&
                    (a & 0xFF) > (b & 0xFF))
            << c;
    }
    for (int c = 10; c < 16; ++c) EXPECT_FALSE(Adobe().Cell(c, 7).has_value()) << c;
}

// The hue angle of a chromatic colour, in degrees.
double Hue(std::uint32_t c) {
    const double r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
    const double hi = std::max({r, g, b}), d = hi - std::min({r, g, b});
    double h = hi == r   ? 60 * (g - b) / d
               : hi == g ? 60 * (b - r) / d + 120
                         : 60 * (r - g) / d + 240;
    return h < 0 ? h + 360 : h;
}

TEST(PalettesTest, WebHoldsEveryWebSafeColourOnceInHueOrder) {
    const Palette& web = Web();
    ExpectEveryWebSafeColourOnce(Count(web, 0, web.cells.size()));
    const std::vector<std::uint32_t> first = {0x330000, 0x660000, 0x663333,
                                              0x996666, 0xCC9999, 0xFFCCCC};
    for (int c = 0; c < 6; ++c) EXPECT_EQ(ColourAt(web, c, 0), first[c]) << c;
    const std::uint32_t last[8] = {0xCC0066, 0xCC3366, 0x000000, 0x333333,
                                   0x666666, 0x999999, 0xCCCCCC, 0xFFFFFF};
    for (int c = 0; c < 8; ++c) EXPECT_EQ(ColourAt(web, c, 13), last[c]) << c;
    for (int c = 8; c < 16; ++c) EXPECT_FALSE(web.Cell(c, 13).has_value()) << c;

    // Between the fixed cells the hue goes once round the circle: from the reds (up to 15
    // degrees either side of red) through orange, yellow, green, cyan, blue and violet to the
    // pinks, never back by more than a hue family (30 degrees).
    double previous = -15;
    for (std::size_t i = 6; i < 208; ++i) {
        const std::uint32_t c = web.cells[i].value();
        double h = Hue(c);
        if (h >= 345) h -= 360;
        EXPECT_GT(h, previous - 30) << std::hex << c;
        previous = std::max(previous, h);
    }
    EXPECT_GT(previous, 300);
}

TEST(PalettesTest, MacIsTheSystemPaletteInItsOrder) {
    const Palette& mac = Mac();
    ASSERT_EQ(mac.cells.size(), 256u);
    struct Cell {
        std::size_t index;
        std::uint32_t colour;
    };
    const Cell cells[] = {{0, 0xFFFFFF},   {1, 0xFFFFCC},   {5, 0xFFFF00},   {6, 0xFFCCFF},
                          {36, 0xCCFFFF},  {72, 0x99FFFF},  {108, 0x66FFFF}, {213, 0x000066},
                          {214, 0x000033}, {215, 0xEE0000}, {216, 0xDD0000}, {224, 0x110000},
                          {225, 0x00EE00}, {234, 0x001100}, {235, 0x0000EE}, {244, 0x000011},
                          {245, 0xEEEEEE}, {247, 0xBBBBBB}, {254, 0x111111}, {255, 0x000000}};
    for (const Cell& c : cells) EXPECT_EQ(mac.cells[c.index], c.colour) << c.index;
    // The cube without black: every web-safe colour but black, once, in the first 215 cells.
    auto cube = Count(mac, 0, 215);
    EXPECT_EQ(cube.size(), 215u);
    EXPECT_EQ(cube.count(0x000000), 0u);
    for (const auto& [colour, n] : cube)
        EXPECT_TRUE(IsWebSafe(colour) && n == 1) << std::hex << colour;
}

TEST(PalettesTest, RendersCellsLinesAndFrame) {
    const std::vector<std::uint32_t> my = RenderPalette(My());
    auto atMy = [&](int x, int y) { return my[static_cast<std::size_t>(y) * 191 + x]; };
    EXPECT_EQ(atMy(65, 5), 0x00FF00u);  // centre of column 6, row 0
    EXPECT_EQ(atMy(61, 1), 0x00FF00u);  // its corners
    EXPECT_EQ(atMy(69, 9), 0x00FF00u);
    EXPECT_EQ(atMy(60, 5), 0x000000u);   // the line before it
    EXPECT_EQ(atMy(65, 10), 0x000000u);  // and below it
    EXPECT_EQ(atMy(5, 115), 0x000000u);  // the last grey is black itself
    EXPECT_EQ(atMy(5, 105), 0x171717u);
    for (int i = 0; i < 191; ++i) EXPECT_TRUE(atMy(i, 0) == 0 && atMy(i, 120) == 0) << i;
    for (int i = 0; i < 121; ++i) EXPECT_TRUE(atMy(0, i) == 0 && atMy(190, i) == 0) << i;

    // Adobe's last row: cells 10..15 are empty.
    const std::vector<std::uint32_t> adobe = RenderPalette(Adobe());
    auto atAdobe = [&](int x, int y) { return adobe[static_cast<std::size_t>(y) * 129 + x]; };
    struct Pixel {
        int x, y;
        std::uint32_t colour;
        const char* what;
    };
    const Pixel pixels[] = {
        {84, 60, kPaletteBackground, "inside an empty cell"},
        {81, 57, kPaletteBackground, "an empty cell's corner"},
        {88, 60, kPaletteBackground, "the line between two empty cells"},
        {120, 60, kPaletteBackground, "the line between the last two empty cells"},
        {80, 60, kPaletteBlack, "the line between a brown and an empty cell"},
        {84, 56, kPaletteBlack, "the line between row 6 and an empty cell"},
        {88, 56, kPaletteBlack, "a crossing above two empty cells"},
        {84, 64, kPaletteBlack, "the frame below an empty cell"},
        {128, 60, kPaletteBlack, "the frame right of an empty cell"},
        {76, 60, 0x613813, "the last brown"},
        {4, 4, 0xFF0000, "the first cell"},
    };
    for (const Pixel& p : pixels) EXPECT_EQ(atAdobe(p.x, p.y), p.colour) << p.what;
}

TEST(PalettesTest, PlacesBesideTheMainWindow) {
    struct Case {
        int screen, mainLeft, mainWidth, skinWidth, expected;
    };
    // A main window 150 wide with a skin picture 140 wide; the palette is 251 wide.
    const Case cases[] = {
        {1024, 100, 150, 140, 250},        // room on the right
        {1024, 633, 150, 140, 783},        // exactly room: 633 + 140 + 251 = 1024
        {1024, 634, 150, 140, 634 - 251},  // one pixel short: to the left, touching it
        {1024, 900, 150, 140, 649},       {800, 0, 150, 140, 150},
    };
    for (const Case& c : cases) {
        const int left = PaletteLeft(c.screen, c.mainLeft, c.mainWidth, c.skinWidth, 251);
        EXPECT_EQ(left, c.expected) << c.mainLeft;
        if (left < c.mainLeft) {
            EXPECT_EQ(left + 251, c.mainLeft);  // its right edge meets the main window's left
        }
    }
}

}  // namespace
}  // namespace huebird
