#include "core/Palettes.h"

#include <algorithm>
#include <cmath>

namespace huebird {

namespace {

using Cells = std::vector<std::optional<std::uint32_t>>;

constexpr std::uint32_t Rgb(int r, int g, int b) {
    return (static_cast<std::uint32_t>(r) << 16) | (static_cast<std::uint32_t>(g) << 8) |
           static_cast<std::uint32_t>(b);
}
constexpr int R(std::uint32_t c) { return static_cast<int>((c >> 16) & 0xFF); }
constexpr int G(std::uint32_t c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int B(std::uint32_t c) { return static_cast<int>(c & 0xFF); }

// A web-safe colour from its three levels 0..5 (00, 33, 66, 99, CC, FF).
constexpr std::uint32_t WebSafe(int r, int g, int b) { return Rgb(0x33 * r, 0x33 * g, 0x33 * b); }

// Each component a quarter of the way (or `quarters` quarters) towards white or black,
// rounded to the nearest level.
std::uint32_t Tint(std::uint32_t c, int quarters) {
    auto up = [&](int v) { return v + ((255 - v) * quarters + 2) / 4; };
    return Rgb(up(R(c)), up(G(c)), up(B(c)));
}
std::uint32_t Shade(std::uint32_t c, int quarters) {
    auto down = [&](int v) { return (v * (4 - quarters) + 2) / 4; };
    return Rgb(down(R(c)), down(G(c)), down(B(c)));
}

// Five colours in even steps from `from` to `to`, both included.
void AppendSteps(Cells& cells, std::uint32_t from, std::uint32_t to) {
    for (int i = 0; i < 5; ++i) {
        auto mix = [&](int a, int b) { return (a * (4 - i) + b * i + 2) / 4; };
        cells.emplace_back(Rgb(mix(R(from), R(to)), mix(G(from), G(to)), mix(B(from), B(to))));
    }
}

Palette MyPalette() {
    constexpr std::uint32_t kGreys[12] = {0xFFFFFF, 0xE8E8E8, 0xD1D1D1, 0xBABABA,
                                          0xA3A3A3, 0x8C8C8C, 0x757575, 0x5E5E5E,
                                          0x474747, 0x303030, 0x171717, 0x000000};
    Palette p{"My", 19, 12, 10, {}};
    for (int r = 0; r < 12; ++r) {
        p.cells.emplace_back(kGreys[r]);
        for (int c = 1; c < 19; ++c) {
            p.cells.emplace_back(WebSafe((c - 1) / 6 + 3 * (r / 6), (c - 1) % 6, r % 6));
        }
    }
    return p;
}

Palette AdobePalette() {
    constexpr std::uint32_t kRow0[16] = {0xFF0000, 0xFFFF00, 0x00FF00, 0x00FFFF, 0x0000FF, 0xFF00FF,
                                         0xFFFFFF, 0xE6E6E6, 0xDADADA, 0xCDCDCD, 0xC0C0C0, 0xB4B4B4,
                                         0xA8A8A8, 0x9A9A9A, 0x8D8D8D, 0x818181};
    constexpr std::uint32_t kRow1[16] = {0xEE1D24, 0xFFF100, 0x00A650, 0x00AEEF, 0x2F3192, 0xED008C,
                                         0x747474, 0x666666, 0x595959, 0x4B4B4B, 0x3E3E3E, 0x303030,
                                         0x212121, 0x131313, 0x060606, 0x000000};
    // Sixteen hues at full strength, red round to pink.
    constexpr std::uint32_t kHues[16] = {0xEE1D24, 0xF16522, 0xF7941D, 0xFFF100, 0x8FC63D, 0x37B44A,
                                         0x00A650, 0x00A99E, 0x00AEEF, 0x0072BC, 0x0054A5, 0x2F3192,
                                         0x652C91, 0x91278F, 0xED008C, 0xEE105A};
    Palette p{"Adobe", 16, 8, 8, {}};
    for (std::uint32_t c : kRow0) p.cells.emplace_back(c);
    for (std::uint32_t c : kRow1) p.cells.emplace_back(c);
    // Pale tint, tint, full, dark, darkest: a quarter of the way towards white or black per row.
    for (std::uint32_t c : kHues) p.cells.emplace_back(Tint(c, 2));
    for (std::uint32_t c : kHues) p.cells.emplace_back(Tint(c, 1));
    for (std::uint32_t c : kHues) p.cells.emplace_back(c);
    for (std::uint32_t c : kHues) p.cells.emplace_back(Shade(c, 1));
    for (std::uint32_t c : kHues) p.cells.emplace_back(Shade(c, 2));
    // Tans, then browns, each from light to dark; six empty cells.
    AppendSteps(p.cells, 0xC7B198, 0x362F2C);
    AppendSteps(p.cells, 0xC69C6D, 0x613813);
    p.cells.resize(16 * 8);
    return p;
}

// The chromatic web-safe colours by hue, as a designer lays them out: twelve hue families of
// 30 degrees starting at red (345..15), each from dark to light (the sum of the highest and the
// lowest level), stronger colours first at one lightness, then by hue. A few cells are fixed:
// the row of dark reds to pale pink at the start, two roses before the six greys at the end.
Palette WebPalette() {
    struct Entry {
        std::uint32_t rgb;
        int family, lightness, chroma;
        double hue;
    };
    std::vector<Entry> chromatic;
    for (int r = 0; r < 6; ++r) {
        for (int g = 0; g < 6; ++g) {
            for (int b = 0; b < 6; ++b) {
                const int hi = std::max({r, g, b}), lo = std::min({r, g, b}), d = hi - lo;
                if (d == 0) continue;
                double hue = 0;
                if (hi == r) {
                    hue = 60.0 * (g - b) / d;
                } else if (hi == g) {
                    hue = 60.0 * (b - r) / d + 120;
                } else {
                    hue = 60.0 * (r - g) / d + 240;
                }
                if (hue < 0) hue += 360;
                const int family = static_cast<int>(std::floor((hue + 15) / 30)) % 12;
                chromatic.push_back({WebSafe(r, g, b), family, hi + lo, d, hue});
            }
        }
    }
    std::sort(chromatic.begin(), chromatic.end(), [](const Entry& a, const Entry& b) {
        if (a.family != b.family) return a.family < b.family;
        if (a.lightness != b.lightness) return a.lightness < b.lightness;
        if (a.chroma != b.chroma) return a.chroma > b.chroma;
        return a.hue < b.hue;
    });

    constexpr std::uint32_t kFirst[6] = {0x330000, 0x660000, 0x663333,
                                         0x996666, 0xCC9999, 0xFFCCCC};
    constexpr std::uint32_t kLast[8] = {0xCC0066, 0xCC3366, 0x000000, 0x333333,
                                        0x666666, 0x999999, 0xCCCCCC, 0xFFFFFF};
    auto fixed = [&](std::uint32_t c) {
        return std::find(std::begin(kFirst), std::end(kFirst), c) != std::end(kFirst) ||
               std::find(std::begin(kLast), std::end(kLast), c) != std::end(kLast);
    };
    Palette p{"Web", 16, 14, 8, {}};
    for (std::uint32_t c : kFirst) p.cells.emplace_back(c);
    for (const Entry& e : chromatic) {
        if (!fixed(e.rgb)) p.cells.emplace_back(e.rgb);
    }
    for (std::uint32_t c : kLast) p.cells.emplace_back(c);
    p.cells.resize(16 * 14);
    return p;
}

Palette MacPalette() {
    Palette p{"Mac", 16, 16, 8, {}};
    for (int r = 5; r >= 0; --r) {
        for (int g = 5; g >= 0; --g) {
            for (int b = 5; b >= 0; --b) {
                if (r + g + b > 0) p.cells.emplace_back(WebSafe(r, g, b));
            }
        }
    }
    constexpr int kLevels[10] = {0xEE, 0xDD, 0xBB, 0xAA, 0x88, 0x77, 0x55, 0x44, 0x22, 0x11};
    for (int v : kLevels) p.cells.emplace_back(Rgb(v, 0, 0));
    for (int v : kLevels) p.cells.emplace_back(Rgb(0, v, 0));
    for (int v : kLevels) p.cells.emplace_back(Rgb(0, 0, v));
    for (int v : kLevels) p.cells.emplace_back(Rgb(v, v, v));
    p.cells.emplace_back(kPaletteBlack);
    return p;
}

}  // namespace

const std::array<Palette, 4>& Palettes() {
    static const std::array<Palette, 4> palettes = {MyPalette(), AdobePalette(), WebPalette(),
                                                    MacPalette()};
    return palettes;
}

std::vector<std::uint32_t> RenderPalette(const Palette& palette) {
    const int w = palette.width(), h = palette.height(), pitch = palette.pitch;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * h, kPaletteBlack);
    for (int y = 1; y < h - 1; ++y) {
        const int row = y / pitch;
        const bool rowLine = y % pitch == 0;
        for (int x = 1; x < w - 1; ++x) {
            const int column = x / pitch;
            const bool columnLine = x % pitch == 0;
            std::uint32_t& out = pixels[static_cast<std::size_t>(y) * w + x];
            if (!rowLine && !columnLine) {
                out = palette.Cell(column, row).value_or(kPaletteBackground);
                continue;
            }
            // A line pixel touches the cells on both sides of each line it lies on.
            bool touchesColour = false;
            for (int r = rowLine ? row - 1 : row; r <= row; ++r) {
                for (int c = columnLine ? column - 1 : column; c <= column; ++c) {
                    touchesColour = touchesColour || palette.Cell(c, r).has_value();
                }
            }
            out = touchesColour ? kPaletteBlack : kPaletteBackground;
        }
    }
    return pixels;
}

int PaletteLeft(int screenWidth, int mainLeft, int mainWidth, int skinWidth, int paletteWidth) {
    if (screenWidth < mainLeft + skinWidth + paletteWidth) return mainLeft - paletteWidth;
    return mainLeft + mainWidth;
}

}  // namespace huebird
