// The colour commands' arithmetic: stepping by 5 with wrap-round, invert and grey.
#pragma once

#include "core/Color.h"

namespace huebird {

inline constexpr int kStep = 5;

// The colour after the adjustment button with index `button` (3..10: red -, red +, green -,
// green +, blue -, blue +, all -, all +). Other indexes give the colour unchanged.
ColorValue AdjustedColor(ColorValue c, int button);
// Each component c becomes 255 - c.
ColorValue InvertedColor(ColorValue c);
// The grey of (r, g, b): each component divided by 3, truncated, and the three added.
int GreyLevel(int red, int green, int blue);

}  // namespace huebird
