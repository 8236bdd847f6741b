// How long a pick's colour takes with each pick area: the mean of the block round the pointer,
// out of the 14 x 14 area a sample reads, ten times a second while a pick runs.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

#include "core/Magnifier.h"
#include "core/PickArea.h"

namespace {

void BM_AverageBlock(benchmark::State& state) {
    std::array<std::uint32_t, huebird::kSampleSize * huebird::kSampleSize> area{};
    std::uint32_t seed = 1;
    for (std::uint32_t& px : area) px = (seed = seed * 1103515245u + 12345u) & 0xFFFFFF;
    const int side = static_cast<int>(state.range(0));
    const auto onMonitor = [](int, int) { return true; };
    for (auto _ : state) {
        auto c = huebird::AverageBlock(area.data(), huebird::kSampleSize, huebird::kSampleSize,
                                       {huebird::kSampleSize / 2, huebird::kSampleSize / 2}, side,
                                       onMonitor);
        benchmark::DoNotOptimize(c);
        area[0] ^= 1;  // a new area each time
    }
}
BENCHMARK(BM_AverageBlock)->Arg(1)->Arg(3)->Arg(5);

}  // namespace
