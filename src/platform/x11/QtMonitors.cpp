#include "platform/x11/QtMonitors.h"

#include <QGuiApplication>
#include <QScreen>

#include <X11/Xlib.h>

#include "platform/x11/XDisplay.h"

namespace huebird {

std::vector<Monitor> QtMonitors() {
    // A screen keeps its top-left corner in both units; its size is scaled by its ratio.
    std::vector<Monitor> monitors;
    const QScreen* primary = QGuiApplication::primaryScreen();
    for (const QScreen* s : QGuiApplication::screens()) {
        const QRect g = s->geometry();
        const qreal ratio = s->devicePixelRatio();
        const Monitor m{{g.left(), g.top(), g.left() + qRound(g.width() * ratio),
                         g.top() + qRound(g.height() * ratio)},
                        {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()}};
        monitors.insert(s == primary ? monitors.begin() : monitors.end(), m);
    }
    if (monitors.empty()) {
        // No screen known to the toolkit: the root window is the one monitor.
        Display* dpy = XDisplay();
        const Rect all{0, 0, dpy ? DisplayWidth(dpy, DefaultScreen(dpy)) : 0,
                       dpy ? DisplayHeight(dpy, DefaultScreen(dpy)) : 0};
        monitors.push_back({all, all});
    }
    return monitors;
}

}  // namespace huebird
