#include "core/Monitors.h"

#include <algorithm>

#include "core/Magnifier.h"

namespace huebird {

namespace {
bool Holds(const Rect& r, Point p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}
}  // namespace

const Monitor& MonitorAt(const std::vector<Monitor>& monitors, Point device) {
    for (const Monitor& m : monitors) {
        if (Holds(m.device, device)) return m;
    }
    return monitors.front();
}

bool OnSomeMonitor(const std::vector<Monitor>& monitors, Point device) {
    return std::any_of(monitors.begin(), monitors.end(),
                       [&](const Monitor& m) { return Holds(m.device, device); });
}

Point ReachablePlace(const std::vector<Monitor>& monitors, const Rect& window) {
    const int needW = std::min(window.width(), 32), needH = std::min(window.height(), 32);
    const Monitor* nearest = nullptr;
    long best = 0;
    for (const Monitor& m : monitors) {
        const Rect& r = m.logical;
        const int overlapW = std::min(window.right, r.right) - std::max(window.left, r.left);
        const int overlapH = std::min(window.bottom, r.bottom) - std::max(window.top, r.top);
        if (overlapW >= needW && overlapH >= needH) return {window.left, window.top};
        // How far apart the two are, in each direction (0 where they overlap).
        const long dx = std::max({0, r.left - window.right, window.left - r.right});
        const long dy = std::max({0, r.top - window.bottom, window.top - r.bottom});
        const long distance = dx * dx + dy * dy;
        if (!nearest || distance < best) nearest = &m, best = distance;
    }
    if (!nearest) return {window.left, window.top};
    const Rect& r = nearest->logical;
    return {std::clamp(window.left, r.left, std::max(r.left, r.right - window.width())),
            std::clamp(window.top, r.top, std::max(r.top, r.bottom - window.height()))};
}

Point ToLogical(const Monitor& m, Point device) {
    const int dw = std::max(m.device.width(), 1), dh = std::max(m.device.height(), 1);
    return {m.logical.left + (device.x - m.device.left) * m.logical.width() / dw,
            m.logical.top + (device.y - m.device.top) * m.logical.height() / dh};
}

Point ToDevice(const Monitor& m, Point logical) {
    const int lw = std::max(m.logical.width(), 1), lh = std::max(m.logical.height(), 1);
    return {m.device.left + (logical.x - m.logical.left) * m.device.width() / lw,
            m.device.top + (logical.y - m.logical.top) * m.device.height() / lh};
}

Point ToLogical(const std::vector<Monitor>& monitors, Point device) {
    return ToLogical(MonitorAt(monitors, device), device);
}

Point ToDevice(const std::vector<Monitor>& monitors, Point logical) {
    for (const Monitor& m : monitors) {
        if (Holds(m.logical, logical)) return ToDevice(m, logical);
    }
    return ToDevice(monitors.front(), logical);
}

Rect ToLogical(const std::vector<Monitor>& monitors, const Rect& device) {
    const Point first = ToLogical(monitors, Point{device.left, device.top});
    const Point last = ToLogical(monitors, Point{device.right - 1, device.bottom - 1});
    return {first.x, first.y, last.x + 1, last.y + 1};
}

Point MagnifierPlace(Point pointer, const Rect& monitor, Point current) {
    const int top = monitor.top + kMagnifierTop;
    int left = current.x - monitor.left;
    if (current.y != top || left < 0 || left + kMagnifierWidth > monitor.width()) {
        left = std::min(kMagnifierDefaultLeft, std::max(monitor.width() - kMagnifierWidth, 0));
    }
    left = MagnifierLeft(pointer.x - monitor.left, pointer.y - monitor.top, monitor.width(), left);
    return {monitor.left + left, top};
}

}  // namespace huebird
