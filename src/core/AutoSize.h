// Automatic size: the window rolls up to the skin's small corner while the pointer is away,
// and unrolls when it comes back. Pure decisions; the window applies the steps.
#pragma once

#include <optional>
#include <vector>

#include "core/Snap.h"
#include "core/WindowLimits.h"

namespace huebird {

inline constexpr int kUnrolledInterval = 10000;  // ms: stays open at least this long
inline constexpr int kRolledInterval = 1000;     // ms: checks this often for the pointer

struct Size {
    int width = 0, height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct AutoSizeInput {
    Rect window;    // current position and size
    Point pointer;  // in screen coordinates
    Size full;      // the skin background's size
    Size flex;      // the skin's FlexWidth, FlexHeight
    bool picking = false;
};

struct AutoSizePlan {
    // Every size to set, in order, one pixel at a time: heights first, then widths. Every
    // size lies within 1..kMaxWindowExtent, so a plan has at most one step per pixel of the
    // window's own width and height, whatever numbers the skin gave.
    std::vector<Size> steps;
    std::optional<int> interval;  // the timer's new interval, when the tick changed something
};

// The pointer is over the window with both ends included: a pointer one pixel right of the
// right edge still counts.
bool PointerOverWindow(const Rect& window, Point pointer);

// What one tick of the automatic-size timer does. Rolled up, the window measures one pixel
// more than the skin's values each way; both values 0 mean the skin has no rolled-up size.
// The rolled-up size is kept within 1..full in each direction: a negative value rolls that
// direction up to one pixel (as 0 does), and a value of full - 1 or more leaves that
// direction at full size. So a roll-up takes at most full - 1 steps each way (fewer than the
// window has pixels), and an unroll as many.
AutoSizePlan PlanAutoSizeTick(const AutoSizeInput& in);

// The steps that bring a window of size `current` back to `full` (heights, then widths). Both
// sizes are taken within 1..kMaxWindowExtent.
std::vector<Size> UnrollSteps(Size current, Size full);

}  // namespace huebird
