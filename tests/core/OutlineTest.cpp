#include "core/Outline.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

}  // namespace
}  // namespace huebird
