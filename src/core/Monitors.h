// The monitors of the desktop, each in two units: the X server's device pixels (what the
// pointer and the screen's pixels use) and the toolkit's logical pixels (what windows use;
// twice smaller on a screen scaled by two). A monitor keeps its top-left corner in both.
#pragma once

#include <vector>

#include "core/Snap.h"

namespace huebird {

struct Monitor {
    Rect device;
    Rect logical;
    friend bool operator==(const Monitor&, const Monitor&) = default;
};

// The monitor holding the device point, or the first (the primary) when none does.
// `monitors` must not be empty.
const Monitor& MonitorAt(const std::vector<Monitor>& monitors, Point device);
// Whether some monitor holds the device point (not off the desktop, nor between monitors).
bool OnSomeMonitor(const std::vector<Monitor>& monitors, Point device);
// A device point of `m` in logical pixels, and back.
Point ToLogical(const Monitor& m, Point device);
Point ToDevice(const Monitor& m, Point logical);
// The same for any point: through the monitor that holds it (by device or logical place), or
// the primary. A rectangle maps its first and its last pixel.
Point ToLogical(const std::vector<Monitor>& monitors, Point device);
Point ToDevice(const std::vector<Monitor>& monitors, Point logical);
Rect ToLogical(const std::vector<Monitor>& monitors, const Rect& device);

// Where a window at `window` (logical pixels) goes at start so that the user can reach it:
// where it is while a part of it of up to 32 x 32 pixels lies on one monitor; otherwise (the
// monitor it was on is gone) onto the monitor nearest to it, moved just far enough to lie
// wholly on it, or with its top-left corner on it when it is larger.
Point ReachablePlace(const std::vector<Monitor>& monitors, const Rect& window);

// Where the magnifier goes, in logical pixels, for a pointer at `pointer` on `monitor`: the
// placement rule applied within that monitor, so it never sits on another one. `current` is
// where the magnifier is now; a place on another monitor counts as none.
Point MagnifierPlace(Point pointer, const Rect& monitor, Point current);

}  // namespace huebird
