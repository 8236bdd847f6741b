#include "core/AutoSize.h"

#include <algorithm>

namespace huebird {

namespace {

// A window is at least one pixel and at most kMaxWindowExtent each way.
int WindowExtent(int value) { return std::clamp(value, 1, kMaxWindowExtent); }

Size WindowSize(Size s) { return {WindowExtent(s.width), WindowExtent(s.height)}; }

// One more than the skin's value, within 1..full; computed wide so that no value overflows.
int RolledExtent(int flex, int full) {
    return static_cast<int>(std::clamp<long long>(static_cast<long long>(flex) + 1, 1, full));
}

}  // namespace

bool PointerOverWindow(const Rect& w, Point p) {
    return w.left <= p.x && p.x <= w.right && w.top <= p.y && p.y <= w.bottom;
}

std::vector<Size> UnrollSteps(Size current, Size full) {
    std::vector<Size> steps;
    full = WindowSize(full);
    Size s = WindowSize(current);
    while (s.height < full.height) {
        ++s.height;
        steps.push_back(s);
    }
    while (s.width < full.width) {
        ++s.width;
        steps.push_back(s);
    }
    return steps;
}

AutoSizePlan PlanAutoSizeTick(const AutoSizeInput& in) {
    AutoSizePlan plan;
    if (in.picking) return plan;  // a pick holds the window at its size
    Size s = WindowSize({in.window.width(), in.window.height()});
    if (PointerOverWindow(in.window, in.pointer)) {
        plan.steps = UnrollSteps(s, in.full);
        if (!plan.steps.empty()) plan.interval = kUnrolledInterval;
        return plan;
    }
    if (in.flex.width == 0 && in.flex.height == 0) return plan;
    const Size full = WindowSize(in.full);
    const Size rolled{RolledExtent(in.flex.width, full.width),
                      RolledExtent(in.flex.height, full.height)};
    while (s.height > rolled.height) {
        --s.height;
        plan.steps.push_back(s);
    }
    while (s.width > rolled.width) {
        --s.width;
        plan.steps.push_back(s);
    }
    if (!plan.steps.empty()) plan.interval = kRolledInterval;
    return plan;
}

}  // namespace huebird
