#include "core/AutoSize.h"

namespace huebird {

bool PointerOverWindow(const Rect& w, Point p) {
    return w.left <= p.x && p.x <= w.right && w.top <= p.y && p.y <= w.bottom;
}

std::vector<Size> UnrollSteps(Size current, Size full) {
    std::vector<Size> steps;
    Size s = current;
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
    Size s{in.window.width(), in.window.height()};
    if (PointerOverWindow(in.window, in.pointer)) {
        plan.steps = UnrollSteps(s, in.full);
        if (!plan.steps.empty()) plan.interval = kUnrolledInterval;
        return plan;
    }
    if (in.flex.width == 0 && in.flex.height == 0) return plan;
    // Rolled up, the window measures one pixel more than the skin's values each way.
    while (s.height > in.flex.height + 1) {
        --s.height;
        plan.steps.push_back(s);
    }
    while (s.width > in.flex.width + 1) {
        --s.width;
        plan.steps.push_back(s);
    }
    if (!plan.steps.empty()) plan.interval = kRolledInterval;
    return plan;
}

}  // namespace huebird
