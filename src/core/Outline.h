// The window's outline, cut from the skin background by the key colour.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace huebird {

// Magenta marks background pixels that are not part of the window (symmetric in RGB/BGR).
constexpr std::uint32_t kTransparentColor = 0xFF00FF;

// One run of window pixels on row y: columns x0 (inclusive) to x1 (exclusive).
struct OutlineSpan {
    int y = 0, x0 = 0, x1 = 0;
    friend bool operator==(const OutlineSpan&, const OutlineSpan&) = default;
};

// Builds the outline of a width x height picture whose pixels are 32-bit values, `stride`
// pixels apart from row to row; only the low 24 bits are compared with kTransparentColor.
//
// Each row has a left point (first opaque column + 1) and a right point (last opaque column);
// a row without opaque pixels repeats the points of the row above (or, above the first
// opaque row, those of that row). A row's window pixels are the opaque ones from its left
// point up to, not including, its right point; the bottom row lies on the outline's lower
// edge and has none. So the outermost opaque column on each side of a row falls outside.
// Spans come sorted by row, then by column. No opaque pixel at all gives no spans.
std::vector<OutlineSpan> BuildOutline(int width, int height, const std::uint32_t* pixels,
                                      std::ptrdiff_t stride);

}  // namespace huebird
