#include "core/Magnifier.h"

#include <algorithm>

namespace huebird {

namespace {

// Whether the magnifier with its left edge at `left` overlaps the sampled area.
bool CoversSample(int left, int x, int y) {
    const int sx0 = x - kSampleSize / 2, sy0 = y - kSampleSize / 2;
    return sx0 < left + kMagnifierWidth && left < sx0 + kSampleSize &&
           sy0 < kMagnifierTop + kMagnifierHeight && kMagnifierTop < sy0 + kSampleSize;
}

// The pixel of the 14 x 14 area a magnified cell shows: nearest neighbour sampled at pixel
// centres, so the centre of the picture is the pointer's own pixel (source 7).
int SourceOf(int cell) { return (cell * kSampleSize * 2 + kSampleSize) / (kMagnifiedSize * 2); }

}  // namespace

int MagnifierLeft(int x, int y, int screenWidth, int currentLeft) {
    if (y < 70 || y > 160) return currentLeft;
    const int left = x > screenWidth / 2 ? 200 : 500;
    const int other = left == 200 ? 500 : 200;
    return CoversSample(left, x, y) ? other : left;
}

PickStep PickStepFor(PickKey key, bool shift) {
    const int step = shift ? 10 : 1;
    switch (key) {
        case PickKey::Left:
            return {true, false, -step, 0};
        case PickKey::Right:
            return {true, false, step, 0};
        case PickKey::Up:
            return {true, false, 0, -step};
        case PickKey::Down:
            return {true, false, 0, step};
        case PickKey::Escape:
            return {true, true, 0, 0};
        case PickKey::Other:
            break;
    }
    return {};
}

bool IsCrossPixel(int x, int y) { return (x == 7) != (y == 7); }

std::array<std::uint32_t, kMagnifiedSize * kMagnifiedSize> MagnifyArea(const std::uint32_t* area) {
    std::array<std::uint32_t, kMagnifiedSize * kMagnifiedSize> out{};
    for (int y = 0; y < kMagnifiedSize; ++y) {
        const int sy = SourceOf(y);
        for (int x = 0; x < kMagnifiedSize; ++x) {
            const int sx = SourceOf(x);
            const std::uint32_t mask = IsCrossPixel(x, y) ? 0x000000u : 0xFFFFFFu;
            out[y * kMagnifiedSize + x] = (area[sy * kSampleSize + sx] & 0xFFFFFFu) & mask;
        }
    }
    return out;
}

CellSpan MagnifiedBlock(int side) {
    const int half = side / 2, centre = kSampleSize / 2;
    CellSpan span{kMagnifiedSize, -1};
    for (int cell = 0; cell < kMagnifiedSize; ++cell) {
        const int source = SourceOf(cell);
        if (source < centre - half || source > centre + half) continue;
        span.first = std::min(span.first, cell);
        span.last = std::max(span.last, cell);
    }
    return span;
}

}  // namespace huebird
