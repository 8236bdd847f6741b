// The outline builder and the key-colour repair against slow, pixel-by-pixel readings of
// their rules, on small pictures of key-coloured, nearly key-coloured and opaque pixels, with
// rows further apart than their width (and the padding full of other pixels).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "Reference.h"
#include "core/Outline.h"

using namespace reference;
using huebird::OutlineSpan;

namespace {

bool Key(std::uint32_t p) { return (p & 0xFFFFFF) == huebird::kTransparentColor; }

// Each row's left point is its first opaque column + 1 and its right point its last opaque
// column; a row without opaque pixels takes the points of the row above, or above the first
// opaque row those of that row. Window pixels are the opaque ones from the left point up to,
// not including, the right point, on every row but the last; spans are their runs.
std::vector<OutlineSpan> Outline(int w, int h, const std::vector<std::vector<std::uint32_t>>& px) {
    std::vector<int> left(h, -1), right(h, -1);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (Key(px[y][x])) continue;
            if (left[y] < 0) left[y] = x + 1;
            right[y] = x;
        }
    }
    int first = -1;
    for (int y = 0; y < h && first < 0; ++y) {
        if (left[y] >= 0) first = y;
    }
    if (first < 0) return {};
    for (int y = 0; y < h; ++y) {
        if (left[y] >= 0) continue;
        const int from = y < first ? first : y - 1;
        left[y] = left[from];
        right[y] = right[from];
    }
    std::vector<OutlineSpan> spans;
    for (int y = 0; y + 1 < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool in = x >= left[y] && x < right[y] && !Key(px[y][x]);
            if (!in) continue;
            if (!spans.empty() && spans.back().y == y && spans.back().x1 == x) {
                ++spans.back().x1;
            } else {
                spans.push_back({y, x, x + 1});
            }
        }
    }
    return spans;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int w = in.ConsumeIntegralInRange(1, 24), h = in.ConsumeIntegralInRange(1, 24);
    const int stride = w + in.ConsumeIntegralInRange(0, 3);
    const int depth = in.ConsumeBool() ? 16 : in.ConsumeIntegralInRange(0, 32);
    // Pixels close to the key colour, so both rules meet their edges.
    static constexpr std::uint32_t kPalette[] = {
        0x00FF00FF, 0xFFFF00FF, 0x12FF00FF, 0x00F800F8, 0x00FC00F8, 0x00F800FF, 0x00F700F8,
        0x00F801F8, 0x00FF01FF, 0x00FE00FF, 0x00000000, 0x00FFFFFF, 0x00808080, 0xFF000000};
    std::vector<std::vector<std::uint32_t>> px(h, std::vector<std::uint32_t>(w));
    // Exactly the pixels the builder may read: the last row ends at its last pixel.
    const std::size_t count = static_cast<std::size_t>(stride) * (h - 1) + w;
    std::unique_ptr<std::uint32_t[]> buffer(new std::uint32_t[count]);
    for (std::size_t i = 0; i < count; ++i) buffer[i] = 0x00FF00FF ^ static_cast<std::uint32_t>(i);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const auto pick = in.ConsumeIntegral<std::uint8_t>();
            px[y][x] = pick < 2 * std::size(kPalette) ? kPalette[pick % std::size(kPalette)]
                                                      : 0x00FF00FF * (pick & 1) | pick << 24;
            buffer[static_cast<std::size_t>(y) * stride + x] = px[y][x];
        }
    }

    const std::vector<OutlineSpan> got = huebird::BuildOutline(w, h, buffer.get(), stride);
    Check(got == Outline(w, h, px),
          "BuildOutline of a " + std::to_string(w) + " x " + std::to_string(h) + " picture");

    // The key colour comes back only in 16-bit pictures: brightest red and blue (F8 and up),
    // no green; the top byte stays.
    huebird::RestoreKeyColor(w, h, buffer.get(), stride, depth);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = px[y][x];
            const bool key = depth == 16 && (p & 0xFF) >= 0xF8 && (p >> 8 & 0xFF) == 0 &&
                             (p >> 16 & 0xFF) >= 0xF8;
            const std::uint32_t want = key ? (p & 0xFF000000u) | 0xFF00FF : p;
            Check(buffer[static_cast<std::size_t>(y) * stride + x] == want,
                  "RestoreKeyColor at " + std::to_string(x) + "," + std::to_string(y));
        }
    }
    return 0;
}
