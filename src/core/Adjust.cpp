#include "core/Adjust.h"

#include <algorithm>

namespace huebird {

namespace {

// A component does not clamp at the ends of its range: it wraps to the other end.
int StepDown(int v) { return v < kStep ? 255 : v - kStep; }
int StepUp(int v) { return v > 255 - kStep ? 0 : v + kStep; }

}  // namespace

ColorValue AdjustedColor(ColorValue c, int button) {
    int r = RedOf(c), g = GreenOf(c), b = BlueOf(c);
    switch (button) {
        case 3:
            r = StepDown(r);
            break;
        case 4:
            r = StepUp(r);
            break;
        case 5:
            g = StepDown(g);
            break;
        case 6:
            g = StepUp(g);
            break;
        case 7:
            b = StepDown(b);
            break;
        case 8:
            b = StepUp(b);
            break;
        case 9:
            r = StepDown(r), g = StepDown(g), b = StepDown(b);
            break;
        case 10:
            r = StepUp(r), g = StepUp(g), b = StepUp(b);
            break;
        default:
            break;
    }
    return MakeColor(r, g, b);
}

ColorValue InvertedColor(ColorValue c) {
    return MakeColor(255 - RedOf(c), 255 - GreenOf(c), 255 - BlueOf(c));
}

int GreyLevel(int red, int green, int blue) { return red / 3 + green / 3 + blue / 3; }

ColorValue SwatchGrey(ColorValue fill, ColorValue frame, int width, int height) {
    ColorValue shown = fill;
    // A one-pixel picture has a frame of no extent, which paints nothing.
    if (width > 0 && height > 0 && width * height > 1) {
        const int x = std::min(5, width - 1);
        const int y = std::min(5, height - 1);
        if (x == 0 || y == 0 || x == width - 1 || y == height - 1) shown = frame;
    }
    const int g = GreyLevel(RedOf(shown), GreenOf(shown), BlueOf(shown));
    return MakeColor(g, g, g);
}

}  // namespace huebird
