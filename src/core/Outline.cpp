#include "core/Outline.h"

namespace huebird {

namespace {

inline bool IsTransparent(std::uint32_t pixel) { return (pixel & 0xFFFFFFu) == kTransparentColor; }

}  // namespace

std::vector<OutlineSpan> BuildOutline(int width, int height, const std::uint32_t* pixels,
                                      std::ptrdiff_t stride) {
    std::vector<OutlineSpan> spans;
    if (width <= 0 || height <= 0 || pixels == nullptr) return spans;

    // Left and right points per row, found by scanning from both ends.
    std::vector<int> left(height, -1), right(height, -1);
    int firstOpaqueRow = -1;
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* row = pixels + y * stride;
        int l = 0;
        while (l < width && IsTransparent(row[l])) ++l;
        if (l == width) continue;
        int r = width - 1;
        while (IsTransparent(row[r])) --r;
        left[y] = l + 1;
        right[y] = r;
        if (firstOpaqueRow < 0) firstOpaqueRow = y;
    }
    if (firstOpaqueRow < 0) return spans;
    for (int y = 0; y < height; ++y) {
        if (left[y] >= 0) continue;
        const int from = y < firstOpaqueRow ? firstOpaqueRow : y - 1;
        left[y] = left[from];
        right[y] = right[from];
    }

    for (int y = 0; y + 1 < height; ++y) {
        const std::uint32_t* row = pixels + y * stride;
        int x = left[y];
        const int end = right[y];
        while (x < end) {
            while (x < end && IsTransparent(row[x])) ++x;
            const int start = x;
            while (x < end && !IsTransparent(row[x])) ++x;
            if (x > start) spans.push_back({y, start, x});
        }
    }
    return spans;
}

}  // namespace huebird
