// The magnifier shown while picking: where it goes, and the picture it shows.
#pragma once

#include <array>
#include <cstdint>

namespace huebird {

inline constexpr int kSampleSize = 14;     // screen pixels on each side of the magnified area
inline constexpr int kMagnifiedSize = 15;  // the area stretched to this, crosshair included
inline constexpr int kMagnifierDefaultLeft = 200;
inline constexpr int kMagnifierTop = 80;
inline constexpr int kMagnifierWidth = 94;
inline constexpr int kMagnifierHeight = 51;

// The magnifier's left edge for a pointer at (x, y): when the pointer is in the band of rows
// 70..160 it moves out of the way (to 200 right of the screen's middle, else to 500);
// otherwise it stays at `currentLeft`. Where that place would cover the sampled area around
// the pointer, it takes the other one, so a pick never reads the magnifier itself.
int MagnifierLeft(int x, int y, int screenWidth, int currentLeft);

// The keys that steer a pick held on a swatch: an arrow moves the pointer one pixel (ten with
// Shift); Escape cancels the pick. Every other key is left to the window.
enum class PickKey { Left, Right, Up, Down, Escape, Other };
struct PickStep {
    bool handled = false;
    bool cancel = false;
    int dx = 0, dy = 0;
};
PickStep PickStepFor(PickKey key, bool shift);

// The 15 x 15 crosshair mask: white everywhere except a black cross on row 7 and column 7,
// whose centre stays white.
bool IsCrossPixel(int x, int y);

// Stretches the 14 x 14 area around the pointer (row-major, 0xRRGGBB pixels, the pointer's
// pixel at (7, 7)) to 15 x 15 and ANDs the crosshair mask over it.
std::array<std::uint32_t, kMagnifiedSize * kMagnifiedSize> MagnifyArea(const std::uint32_t* area);

// The cells of the magnified picture that show the side x side block centred on the pointer's
// pixel, on each axis from `first` to `last` inclusive (the same on both axes): the block a
// pick averages, for the magnifier to outline. The stretch doubles one pixel, so the span
// need not be centred on the crosshair.
struct CellSpan {
    int first = 0, last = 0;
    friend bool operator==(const CellSpan&, const CellSpan&) = default;
};
CellSpan MagnifiedBlock(int side);

}  // namespace huebird
