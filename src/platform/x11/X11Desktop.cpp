#include "platform/x11/X11Desktop.h"

#include <QEvent>
#include <QGuiApplication>
#include <QUrl>
#include <QScreen>
#include <QWidget>

#include "platform/DesktopOpen.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/x11/QtMonitors.h"
#include "platform/x11/XDisplay.h"

namespace huebird {

namespace {

// Up to 1024 32-bit items of a window property of the given type; none when it is missing.
std::vector<unsigned long> ReadProperty32(Display* dpy, Window id, Atom property, Atom type) {
    std::vector<unsigned long> items;
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(dpy, id, property, 0, 1024, False, type, &actualType,
                                          &format, &count, &after, &data);
    if (status == Success && data && format == 32 && actualType == type) {
        const auto* values = reinterpret_cast<const unsigned long*>(data);  // longs on the client
        items.assign(values, values + count);
    }
    if (data) XFree(data);
    return items;
}

// A window manager that handles _NET_WM_STATE runs: the root's _NET_SUPPORTING_WM_CHECK names
// a window that names itself (a manager that has gone leaves a stale one behind), and
// _NET_SUPPORTED lists _NET_WM_STATE.
bool StateManagerRuns(Display* dpy) {
    const Window root = DefaultRootWindow(dpy);
    const Atom check = XInternAtom(dpy, "_NET_SUPPORTING_WM_CHECK", False);
    const std::vector<unsigned long> child = ReadProperty32(dpy, root, check, XA_WINDOW);
    if (child.empty() || ReadProperty32(dpy, child[0], check, XA_WINDOW) != child) return false;
    const std::vector<unsigned long> supported =
        ReadProperty32(dpy, root, XInternAtom(dpy, "_NET_SUPPORTED", False), XA_ATOM);
    const Atom state = XInternAtom(dpy, "_NET_WM_STATE", False);
    return std::find(supported.begin(), supported.end(), state) != supported.end();
}

// The window manager has taken the window on: it carries a WM_STATE of normal or iconic.
// Until then (and again once it is hidden) its _NET_WM_STATE is the window's own to write.
bool Managed(Display* dpy, Window id) {
    const Atom wmState = XInternAtom(dpy, "WM_STATE", False);
    const std::vector<unsigned long> state = ReadProperty32(dpy, id, wmState, wmState);
    return !state.empty() && (state[0] == NormalState || state[0] == IconicState);
}

// Adds (or removes) `atoms` in the window's own _NET_WM_STATE and keeps every other atom.
void EditStateProperty(Display* dpy, Window id, const std::vector<Atom>& atoms, bool add) {
    const Atom property = XInternAtom(dpy, "_NET_WM_STATE", False);
    std::vector<unsigned long> state = ReadProperty32(dpy, id, property, XA_ATOM);
    for (const Atom a : atoms) {
        const auto found = std::find(state.begin(), state.end(), a);
        if (add && found == state.end()) state.push_back(a);
        if (!add && found != state.end()) state.erase(found);
    }
    XChangeProperty(dpy, id, property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(state.data()),
                    static_cast<int>(state.size()));
}

// Asks the window manager to add (or remove) one or two states of a window it manages.
void SendStateMessage(Display* dpy, Window id, bool add, Atom first, Atom second) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = id;
    e.xclient.message_type = XInternAtom(dpy, "_NET_WM_STATE", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = add ? 1 : 0;  // _NET_WM_STATE_ADD or _REMOVE
    e.xclient.data.l[1] = static_cast<long>(first);
    e.xclient.data.l[2] = static_cast<long>(second);
    e.xclient.data.l[3] = 1;  // the request comes from an application
    XSendEvent(dpy, DefaultRootWindow(dpy), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &e);
}

// Sets (or clears) the _NET_WM_STATE atoms `names` (one or two) on a window, in whichever way
// the window's current state calls for.
void SetWmState(Display* dpy, Window id, const std::vector<std::string>& names, bool on) {
    std::vector<Atom> atoms;
    for (const std::string& n : names) atoms.push_back(XInternAtom(dpy, n.c_str(), False));
    if (Managed(dpy, id) && StateManagerRuns(dpy)) {
        SendStateMessage(dpy, id, on, atoms[0], atoms.size() > 1 ? atoms[1] : None);
    } else {
        EditStateProperty(dpy, id, atoms, on);
    }
}

// Window managers drop a window's _NET_WM_STATE when it is hidden, so the states asked for are
// kept with the window and written again each time it is about to be shown (the toolkit sends
// the show event before it maps the window).
class WmStateKeeper : public QObject {
  public:
    explicit WmStateKeeper(QWidget* window) : QObject(window), window_(window) {
        window->installEventFilter(this);
    }
    static WmStateKeeper* Of(QWidget* window) {
        for (QObject* child : window->children()) {
            if (auto* keeper = dynamic_cast<WmStateKeeper*>(child)) return keeper;
        }
        return new WmStateKeeper(window);
    }
    // Sets (or clears) a group of states that go on and off together, and remembers it.
    void Want(Display* dpy, const std::vector<std::string>& names, bool on) {
        wanted_[names] = on;
        SetWmState(dpy, Id(), names, on);
        XFlush(dpy);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Show) {
            if (Display* dpy = XDisplay()) {
                for (const auto& [names, on] : wanted_) SetWmState(dpy, Id(), names, on);
                XFlush(dpy);
            }
        }
        return false;
    }

  private:
    Window Id() const { return static_cast<Window>(window_->winId()); }

    QWidget* window_;
    std::map<std::vector<std::string>, bool> wanted_;
};

}  // namespace

Rect X11Desktop::WorkArea() {
    if (Display* dpy = XDisplay()) {
        const Window root = DefaultRootWindow(dpy);
        const std::vector<unsigned long> current =
            ReadProperty32(dpy, root, XInternAtom(dpy, "_NET_CURRENT_DESKTOP", False), XA_CARDINAL);
        const std::vector<unsigned long> areas =
            ReadProperty32(dpy, root, XInternAtom(dpy, "_NET_WORKAREA", False), XA_CARDINAL);
        // One x, y, width, height per desktop.
        const std::size_t first = (current.empty() ? 0 : current[0]) * 4;
        if (first + 4 <= areas.size() && areas[first + 2] > 0 && areas[first + 3] > 0) {
            const int x = static_cast<int>(areas[first]), y = static_cast<int>(areas[first + 1]);
            // The window manager speaks device pixels; windows are placed in logical ones.
            return ToLogical(QtMonitors(), Rect{x, y, x + static_cast<int>(areas[first + 2]),
                                                y + static_cast<int>(areas[first + 3])});
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
    WmStateKeeper::Of(window)->Want(dpy, {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"},
                                    true);
}

void X11Desktop::SetStaysOnTop(QWidget* window, bool on) {
    Display* dpy = XDisplay();
    if (!dpy || !window) return;
    WmStateKeeper::Of(window)->Want(dpy, {"_NET_WM_STATE_ABOVE", "_NET_WM_STATE_STAYS_ON_TOP"}, on);
    if (on && !StateManagerRuns(dpy)) {
        // No window manager keeps stacking order: put the window on top once.
        const Window id = static_cast<Window>(window->winId());
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(dpy, id, &attributes) && attributes.map_state != IsUnmapped) {
            XRaiseWindow(dpy, id);
            XFlush(dpy);
        }
    }
}

void X11Desktop::OpenUrl(const std::string& url, OpenFailed failed) {
    OpenWithDesktop(QString::fromStdString(url), std::move(failed));
}

void X11Desktop::OpenFile(const std::filesystem::path& file, OpenFailed failed) {
    OpenWithDesktop(QUrl::fromLocalFile(QString::fromStdString(file.string())).toString(),
                    std::move(failed));
}

}  // namespace huebird
