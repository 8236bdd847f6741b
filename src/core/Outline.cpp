#include "core/Outline.h"

#include <array>
#include <fstream>

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

void RestoreKeyColor(int width, int height, std::uint32_t* pixels, std::ptrdiff_t stride,
                     int bitsPerPixel) {
    if (bitsPerPixel != 16 || width <= 0 || height <= 0 || pixels == nullptr) return;
    // The brightest 5-bit value widens to at least F8 in any scheme, and the next one below it
    // to at most F7; no green widens to 0 alone.
    const auto brightest = [](std::uint32_t channel) { return channel >= 0xF8; };
    for (int y = 0; y < height; ++y) {
        std::uint32_t* row = pixels + y * stride;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = row[x];
            if (brightest((p >> 16) & 0xFF) && ((p >> 8) & 0xFF) == 0 && brightest(p & 0xFF)) {
                row[x] = (p & 0xFF000000u) | kTransparentColor;
            }
        }
    }
}

int BmpBitsPerPixel(const std::filesystem::path& file) {
    // File header (14 bytes), then the picture header, which starts with its own size: the
    // old 12-byte core header has the bit count at 24, every later header at 28.
    std::array<unsigned char, 30> b{};
    std::ifstream in(file, std::ios::binary);
    if (!in.read(reinterpret_cast<char*>(b.data()), 26) || b[0] != 'B' || b[1] != 'M') return 0;
    const auto le16 = [&b](std::size_t at) { return b[at] | (b[at + 1] << 8); };
    const std::uint32_t headerSize = le16(14) | (static_cast<std::uint32_t>(le16(16)) << 16);
    if (headerSize == 12) return le16(24);
    if (headerSize < 16 || !in.read(reinterpret_cast<char*>(b.data()) + 26, 4)) return 0;
    return le16(28);
}

}  // namespace huebird
