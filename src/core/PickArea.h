// How much of the screen a pick takes: the pixel under the pointer, or the mean of the square
// block centred on it (for anti-aliased, noisy or dithered pixels).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "core/Snap.h"

namespace huebird {

// The block's side in pixels: the choices the settings menu offers, and the one a file without
// the key (or with anything else in it) means.
inline constexpr std::array<int, 3> kPickAreaSizes = {1, 3, 5};
inline constexpr int kDefaultPickArea = 1;

// A stored value as a side: 1, 3 or 5 as they are, anything else 1.
int PickAreaFromSetting(int value);

// The colour a pick takes from `area` (row-major 0xRRGGBB, `width` x `height`) around the
// pointer's pixel at `centre`, with a block of side `side`:
// - the pixels of the side x side block centred there that lie inside the area and on a
//   monitor (`onMonitor`, in the area's coordinates) count, each once; a pixel on no monitor
//   (beyond the desktop's edge, in a gap between monitors) is left out, so an area clipped by
//   an edge is the mean of what is shown, never dragged towards black;
// - each channel is the sum over those pixels divided by their number, rounded to nearest
//   with halves up (0.5 gives 1, 127.5 gives 128);
// - none when the pointer's own pixel is on no monitor (the pick then leaves the colour as
//   it was, whatever the side).
// A side of 1 is the pointer's pixel itself.
std::optional<std::uint32_t> AverageBlock(const std::uint32_t* area, int width, int height,
                                          Point centre, int side,
                                          const std::function<bool(int, int)>& onMonitor);

}  // namespace huebird
