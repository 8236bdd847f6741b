#include "core/Outline.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempDir.h"

namespace huebird {
namespace {

// Pictures drawn as text: '#' an opaque pixel, '.' the transparent colour. The outline is
// drawn back the same way: '#' inside the window, '.' outside.
std::vector<std::string> WindowOf(const std::vector<std::string>& picture) {
    const int h = static_cast<int>(picture.size());
    const int w = h ? static_cast<int>(picture[0].size()) : 0;
    std::vector<std::uint32_t> pixels;
    for (const std::string& row : picture) {
        for (char c : row) pixels.push_back(c == '.' ? 0xFFFF00FFu : 0xFF102030u);
    }
    std::vector<std::string> window(h, std::string(w, '.'));
    for (const OutlineSpan& s : BuildOutline(w, h, pixels.data(), w)) {
        for (int x = s.x0; x < s.x1; ++x) window[s.y][x] = '#';
    }
    return window;
}

struct OutlineCase {
    const char* name;
    std::vector<std::string> picture;
    std::vector<std::string> window;
};

TEST(OutlineTest, CutsTheWindowOutOfThePicture) {
    const OutlineCase cases[] = {
        {"no transparent pixel: last column on each side and bottom row fall outside",
         {"#####", "#####", "#####"},
         {".###.", ".###.", "....."}},
        {"hole enclosed by opaque pixels is cut out",
         {"#######", "##...##", "#######", "#######"},
         {".#####.", ".#...#.", ".#####.", "......."}},
        {"transparent pixels outside the outer opaque pixels are outside anyway",
         {"..####..", ".######.", "########", "########"},
         {"...##...", "..####..", ".######.", "........"}},
        {"a row with a single opaque pixel contributes nothing",
         {"######", "..#...", "######", "######"},
         {".####.", "......", ".####.", "......"}},
        {"a fully transparent row cuts the window through",
         {"######", "......", "######", "######"},
         {".####.", "......", ".####.", "......"}},
        {"leading transparent rows take the first opaque row's outline and stay empty",
         {"......", "......", "######", "######"},
         {"......", "......", ".####.", "......"}},
        {"key colour only by exact value",
         {"#.#.#.#"},  // one row: it is also the bottom row
         {"......."}},
    };
    for (const OutlineCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WindowOf(c.picture), c.window);
    }
}

TEST(OutlineTest, NearMagentaIsOpaqueAndAlphaIsIgnored) {
    const std::uint32_t pixels[] = {0x00FF00FF, 0xFFFE00FF, 0xFFFF00FE, 0xFFFF00FF, 0xFF000000,
                                    0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000};
    // Row 0: column 0 is key colour (alpha ignored); 1 and 2 are only near it.
    EXPECT_EQ(BuildOutline(5, 2, pixels, 5), (std::vector<OutlineSpan>{{0, 2, 3}}));
}

TEST(OutlineTest, EmptyAndFullyTransparentPicturesGiveNoSpans) {
    EXPECT_TRUE(BuildOutline(0, 0, nullptr, 0).empty());
    const std::vector<std::uint32_t> magenta(16, 0xFF00FF);
    EXPECT_TRUE(BuildOutline(4, 4, magenta.data(), 4).empty());
    const std::uint32_t one = 0;
    EXPECT_TRUE(BuildOutline(1, 1, &one, 1).empty());
}

TEST(OutlineTest, HonoursTheRowStride) {
    // A 3 x 2 picture inside rows of 5 pixels; the padding is never read as picture.
    const std::uint32_t pixels[] = {0, 0, 0, 0xFF00FF, 0xFF00FF, 0, 0, 0, 0xFF00FF, 0xFF00FF};
    EXPECT_EQ(BuildOutline(3, 2, pixels, 5), (std::vector<OutlineSpan>{{0, 1, 2}}));
}

// A 16-bit picture keeps 5 bits of red and blue; loaders widen the brightest to F8 (or FF).
// The key colour painted into it is the key colour; near colours and other depths stay as
// they are.
TEST(OutlineTest, RestoresTheKeyColourOfSixteenBitPictures) {
    struct Case {
        std::uint32_t loaded;
        int bits;
        std::uint32_t restored;
    };
    const Case cases[] = {
        {0xFFF800F8, 16, 0xFFFF00FF},  // magenta widened by shifting
        {0xFFFF00FF, 16, 0xFFFF00FF},  // ... or by repeating the high bits
        {0xFFFC00F8, 16, 0xFFFF00FF},
        {0xFFF700F8, 16, 0xFFF700F8},  // red one step below the brightest
        {0xFFF800F7, 16, 0xFFF800F7},  // blue one step below
        {0xFFF804F8, 16, 0xFFF804F8},  // the smallest 6-bit green
        {0xFFF808F8, 16, 0xFFF808F8},  // the smallest 5-bit green
        {0xFFF800F8, 24, 0xFFF800F8},  // 8 bits a channel: only the exact key colour counts
        {0xFFF800F8, 32, 0xFFF800F8},
        {0xFFF800F8, 8, 0xFFF800F8},  // palette entries hold 8 bits a channel too
        {0xFFF800F8, 0, 0xFFF800F8},  // depth unknown: nothing is guessed
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << std::hex << c.loaded << " at " << std::dec << c.bits);
        // A 2 x 2 picture in rows of 3: the padding pixel is never touched.
        std::uint32_t pixels[] = {c.loaded, 0xFF000000, 0xFFF800F8, c.loaded, c.loaded, 0xFFF800F8};
        RestoreKeyColor(2, 2, pixels, 3, c.bits);
        EXPECT_EQ(pixels[0], c.restored);
        EXPECT_EQ(pixels[1], 0xFF000000u);
        EXPECT_EQ(pixels[2], 0xFFF800F8u);
        EXPECT_EQ(pixels[3], c.restored);
        EXPECT_EQ(pixels[4], c.restored);
    }
}

// The first bytes of a BMP file up to its bit count, little-endian as the format has them.
std::string BmpStart(std::uint32_t headerSize, std::uint16_t bits) {
    std::string b = "BM";
    const auto put = [&b](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) b += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    put(14 + headerSize, 4);  // file size: the headers alone
    put(0, 4);
    put(14 + headerSize, 4);  // pixels' offset
    put(headerSize, 4);
    const int sizeBytes = headerSize == 12 ? 2 : 4;  // the old core header has 16-bit sizes
    put(1, sizeBytes);                               // width
    put(1, sizeBytes);                               // height
    put(1, 2);                                       // planes
    put(bits, 2);
    b.resize(14 + headerSize, '\0');
    return b;
}

TEST(OutlineTest, ReadsTheBitDepthOfABmp) {
    testing::TempDir dir;
    struct Case {
        const char* name;
        std::string bytes;
        int bits;
    };
    const Case cases[] = {
        {"16 bits, info header", BmpStart(40, 16), 16},
        {"24 bits, info header", BmpStart(40, 24), 24},
        {"16 bits, version 5 header", BmpStart(124, 16), 16},
        {"8 bits, core header", BmpStart(12, 8), 8},
        {"cut short", BmpStart(40, 16).substr(0, 28), 0},
        {"not a BMP", "GIF89a" + BmpStart(40, 16), 0},
        {"empty", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BmpBitsPerPixel(dir.Write("picture.bmp", c.bytes)), c.bits);
    }
    EXPECT_EQ(BmpBitsPerPixel(dir.path() / "missing.bmp"), 0);
    EXPECT_EQ(BmpBitsPerPixel(dir.path()), 0);  // a folder
}

}  // namespace
}  // namespace huebird
