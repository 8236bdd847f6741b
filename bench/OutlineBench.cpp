// How long the window outline takes to build from a skin background.
#include <benchmark/benchmark.h>

#include <vector>

#include "core/Outline.h"

namespace {

// A rounded panel with a ring of small holes: the shape skins usually have.
std::vector<std::uint32_t> MakeBackground(int w, int h) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * h, 0xFF303840);
    const int r = std::max(2, std::min(w, h) / 8);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int dx = x < r ? r - x : (x >= w - r ? x - (w - r - 1) : 0);
            const int dy = y < r ? r - y : (y >= h - r ? y - (h - r - 1) : 0);
            const bool outsideCorner = dx * dx + dy * dy > r * r;
            const bool hole = (x / 9 + y / 9) % 7 == 0 && x % 9 < 3 && y % 9 < 3;
            if (outsideCorner || hole) pixels[static_cast<std::size_t>(y) * w + x] = 0xFFFF00FF;
        }
    }
    return pixels;
}

void BM_Outline(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const auto pixels = MakeBackground(w, h);
    for (auto _ : state) {
        auto spans = huebird::BuildOutline(w, h, pixels.data(), w);
        benchmark::DoNotOptimize(spans);
    }
    state.SetLabel(std::to_string(w) + "x" + std::to_string(h));
}
BENCHMARK(BM_Outline)->Args({150, 130})->Args({4000, 4000})->Unit(benchmark::kMicrosecond);

}  // namespace
