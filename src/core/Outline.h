// The window's outline, cut from the skin background by the key colour.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
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

// A skin author paints the key colour with the brightest red and blue and no green. A picture
// stored with 16 bits a pixel keeps 5 bits of red and of blue, and loaders widen the
// brightest of them to F8 or to FF, so that colour does not arrive as kTransparentColor. For a
// picture stored with `bitsPerPixel` bits, this sets each pixel that held the key colour to
// exactly kTransparentColor (keeping its top byte). Pictures of other depths hold 8 bits a
// channel (palette entries included) and are left as they are, as is a depth of 0 (unknown).
void RestoreKeyColor(int width, int height, std::uint32_t* pixels, std::ptrdiff_t stride,
                     int bitsPerPixel);

// The bits per pixel that a BMP file's header gives, or 0 when the file cannot be read or
// does not start as a BMP.
int BmpBitsPerPixel(const std::filesystem::path& file);

}  // namespace huebird
