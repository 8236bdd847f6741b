#include "core/Magnifier.h"

namespace huebird {

int MagnifierLeft(int x, int y, int screenWidth, int currentLeft) {
    if (y < 70 || y > 160) return currentLeft;
    return x > screenWidth / 2 ? 200 : 500;
}

bool IsCrossPixel(int x, int y) { return (x == 7) != (y == 7); }

std::array<std::uint32_t, kMagnifiedSize * kMagnifiedSize> MagnifyArea(const std::uint32_t* area) {
    std::array<std::uint32_t, kMagnifiedSize * kMagnifiedSize> out{};
    // Nearest neighbour sampled at pixel centres, so the centre of the picture is the
    // pointer's own pixel (source column 7) and the doubled column falls elsewhere.
    auto source = [](int d) { return (d * kSampleSize * 2 + kSampleSize) / (kMagnifiedSize * 2); };
    for (int y = 0; y < kMagnifiedSize; ++y) {
        const int sy = source(y);
        for (int x = 0; x < kMagnifiedSize; ++x) {
            const int sx = source(x);
            const std::uint32_t mask = IsCrossPixel(x, y) ? 0x000000u : 0xFFFFFFu;
            out[y * kMagnifiedSize + x] = (area[sy * kSampleSize + sx] & 0xFFFFFFu) & mask;
        }
    }
    return out;
}

}  // namespace huebird
