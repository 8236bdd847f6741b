// How long one automatic-size tick takes to plan, for the stock skin's rolled-up size and for
// the extreme numbers a skin file may hold.
#include <benchmark/benchmark.h>

#include <climits>
#include <string>

#include "core/AutoSize.h"

namespace {

using huebird::AutoSizeInput;
using huebird::Size;

struct Skin {
    const char* name;
    Size flex;
};
// The window is the stock skin's background, 158 x 103.
constexpr Size kFull{158, 103};
constexpr Skin kSkins[] = {
    {"stock 31x51", {31, 51}},
    {"FlexHeight=-20000", {31, -20000}},
    {"INT_MIN", {INT_MIN, INT_MIN}},
    {"INT_MAX", {INT_MAX, INT_MAX}},
    {"FlexWidth=INT_MAX,FlexHeight=INT_MIN", {INT_MAX, INT_MIN}},
};

// The tick that rolls the full window up, the pointer being away.
void BM_RollUpTick(benchmark::State& state) {
    const Skin& skin = kSkins[state.range(0)];
    const AutoSizeInput in{{0, 0, kFull.width, kFull.height}, {900, 700}, kFull, skin.flex};
    std::size_t steps = 0;
    for (auto _ : state) {
        const auto plan = huebird::PlanAutoSizeTick(in);
        steps = plan.steps.size();
        benchmark::DoNotOptimize(plan);
    }
    state.SetLabel(std::string(skin.name) + ", " + std::to_string(steps) + " steps");
}
BENCHMARK(BM_RollUpTick)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

// Every later tick while the pointer stays away from the rolled-up window: nothing to do.
void BM_RolledUpTick(benchmark::State& state) {
    const Skin& skin = kSkins[state.range(0)];
    const AutoSizeInput full{{0, 0, kFull.width, kFull.height}, {900, 700}, kFull, skin.flex};
    const auto rollUp = huebird::PlanAutoSizeTick(full);
    const Size rolled = rollUp.steps.empty() ? kFull : rollUp.steps.back();
    const AutoSizeInput in{{0, 0, rolled.width, rolled.height}, {900, 700}, kFull, skin.flex};
    std::size_t steps = 0;
    for (auto _ : state) {
        const auto plan = huebird::PlanAutoSizeTick(in);
        steps = plan.steps.size();
        benchmark::DoNotOptimize(plan);
    }
    state.SetLabel(std::string(skin.name) + ", " + std::to_string(steps) + " steps");
}
BENCHMARK(BM_RolledUpTick)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

}  // namespace
