#include "core/PickArea.h"

#include <algorithm>

namespace huebird {

int PickAreaFromSetting(int value) {
    return std::find(kPickAreaSizes.begin(), kPickAreaSizes.end(), value) != kPickAreaSizes.end()
               ? value
               : kDefaultPickArea;
}

std::optional<std::uint32_t> AverageBlock(const std::uint32_t* area, int width, int height,
                                          Point centre, int side,
                                          const std::function<bool(int, int)>& onMonitor) {
    auto counts = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < width && y < height && onMonitor(x, y);
    };
    if (!counts(centre.x, centre.y)) return std::nullopt;
    const int half = std::max(side, 1) / 2;
    std::uint64_t sum[3] = {0, 0, 0};  // red, green, blue
    std::uint64_t n = 0;
    for (int y = centre.y - half; y <= centre.y + half; ++y) {
        for (int x = centre.x - half; x <= centre.x + half; ++x) {
            if (!counts(x, y)) continue;
            const std::uint32_t rgb = area[static_cast<std::size_t>(y) * width + x];
            sum[0] += (rgb >> 16) & 0xFF;
            sum[1] += (rgb >> 8) & 0xFF;
            sum[2] += rgb & 0xFF;
            ++n;
        }
    }
    // Nearest, halves up: floor(sum / n + 1/2) in whole numbers.
    auto mean = [n](std::uint64_t s) { return static_cast<std::uint32_t>((2 * s + n) / (2 * n)); };
    return (mean(sum[0]) << 16) | (mean(sum[1]) << 8) | mean(sum[2]);
}

}  // namespace huebird
