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
// What the grey command makes of the active swatch: the grey of the pixel its picture shows at
// (5, 5), or at its last column or row when the picture is smaller. A width x height picture
// is `fill` framed by `frame` on its outermost pixels (a one-pixel picture keeps its fill); one
// with no pixels gives fill's grey.
ColorValue SwatchGrey(ColorValue fill, ColorValue frame, int width, int height);

}  // namespace huebird
