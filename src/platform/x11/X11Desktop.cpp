#include "platform/x11/X11Desktop.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>
#include <QScreen>
#include <QWidget>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include "platform/x11/XDisplay.h"

namespace huebird {

namespace {

// Reads up to `count` 32-bit cardinals of a root window property.
int ReadRootCardinals(Display* dpy, const char* name, long* out, int count) {
    const Atom atom = XInternAtom(dpy, name, True);
    if (atom == None) return 0;
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(dpy, DefaultRootWindow(dpy), atom, 0, 1024, False,
                                          XA_CARDINAL, &type, &format, &items, &after, &data);
    int got = 0;
    if (status == Success && data && format == 32) {
        auto* values = reinterpret_cast<long*>(data);
        for (unsigned long i = 0; i < items && got < count; ++i) out[got++] = values[i];
    }
    if (data) XFree(data);
    return got;
}

}  // namespace

Rect X11Desktop::WorkArea() {
    if (Display* dpy = XDisplay()) {
        long desktop = 0;
        ReadRootCardinals(dpy, "_NET_CURRENT_DESKTOP", &desktop, 1);
        long areas[4 * 32];
        const int got = ReadRootCardinals(dpy, "_NET_WORKAREA", areas, 4 * 32);
        const long first = (desktop >= 0 && desktop < 32 ? desktop : 0) * 4;
        if (got >= first + 4 && areas[first + 2] > 0 && areas[first + 3] > 0) {
            const int x = static_cast<int>(areas[first]), y = static_cast<int>(areas[first + 1]);
            return {x, y, x + static_cast<int>(areas[first + 2]),
                    y + static_cast<int>(areas[first + 3])};
        }
    }
    // No window manager publishes a work area: the primary screen is all of it.
    const QRect g = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry()
                                                      : QRect(0, 0, 1024, 768);
    return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

void X11Desktop::KeepOffTaskbar(QWidget* window) {
    Display* dpy = XDisplay();
    if (!dpy || !window) return;
    const Window id = static_cast<Window>(window->winId());
    const Atom state = XInternAtom(dpy, "_NET_WM_STATE", False);
    const Atom atoms[] = {XInternAtom(dpy, "_NET_WM_STATE_SKIP_TASKBAR", False),
                          XInternAtom(dpy, "_NET_WM_STATE_SKIP_PAGER", False)};
    XChangeProperty(dpy, id, state, XA_ATOM, 32, PropModeAppend,
                    reinterpret_cast<const unsigned char*>(atoms), 2);
    XFlush(dpy);
}


void X11Desktop::OpenUrl(const std::string& url) {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

}  // namespace huebird
