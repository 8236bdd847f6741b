// How long writing and reading CSS colour text takes: the copy menu builds every notation
// for the colour under the cursor, so all of them together must stay far below a frame.
#include <benchmark/benchmark.h>

#include <string>

#include "core/CssColour.h"

namespace {

using huebird::CssNotation;

constexpr CssNotation kAll[] = {CssNotation::Hex,   CssNotation::Rgb,   CssNotation::Hsl,
                                CssNotation::Hwb,   CssNotation::Lab,   CssNotation::Lch,
                                CssNotation::Oklab, CssNotation::Oklch, CssNotation::Named};

// Every notation for one colour; the colour changes each time so nothing is cached.
void BM_AllTextsForOneColour(benchmark::State& state) {
    huebird::ColorValue c = 0x123456;
    for (auto _ : state) {
        for (CssNotation n : kAll) {
            std::string text = huebird::CssText(c, n);
            benchmark::DoNotOptimize(text);
        }
        c = (c * 1103515245u + 12345u) & 0xFFFFFF;
    }
}
BENCHMARK(BM_AllTextsForOneColour);

void BM_OneNotation(benchmark::State& state) {
    const auto n = static_cast<CssNotation>(state.range(0));
    huebird::ColorValue c = 0x123456;
    for (auto _ : state) {
        std::string text = huebird::CssText(c, n);
        benchmark::DoNotOptimize(text);
        c = (c * 1103515245u + 12345u) & 0xFFFFFF;
    }
}
BENCHMARK(BM_OneNotation)->DenseRange(0, 8);

// Reading back each notation's text of a few colours.
void BM_ParseAllTexts(benchmark::State& state) {
    std::string texts[std::size(kAll)];
    for (std::size_t i = 0; i < std::size(kAll); ++i)
        texts[i] = huebird::CssText(0x8a2be2, kAll[i]);
    for (auto _ : state) {
        for (const std::string& t : texts) benchmark::DoNotOptimize(huebird::ParseCssColour(t));
    }
}
BENCHMARK(BM_ParseAllTexts);

}  // namespace
