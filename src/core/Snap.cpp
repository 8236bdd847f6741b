#include "core/Snap.h"

#include <cstdlib>

namespace huebird {

Point SnapToWorkArea(int x, int y, int cx, int cy, const Rect& wa) {
    // The left and top tests compare the absolute value of the coordinate with the edge
    // plus the snap distance, so a window dragged past the left/top edge snaps back too.
    if (std::abs(x) <= wa.left + kSnapDistance) {
        x = wa.left;
    } else if (x + cx >= wa.right - kSnapDistance && x + cx <= wa.right + kSnapDistance) {
        x = wa.right - cx;
    }
    if (std::abs(y) <= wa.top + kSnapDistance) {
        y = wa.top;
    } else if (y + cy >= wa.bottom - kSnapDistance && y + cy <= wa.bottom + kSnapDistance) {
        y = wa.bottom - cy;
    }
    return {x, y};
}

}  // namespace huebird
