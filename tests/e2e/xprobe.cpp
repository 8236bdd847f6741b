// Looks at an X display from outside, as a person would: screen pixels, a window's shape and
// its window-manager state. Used by the end-to-end tests.
//
//   xprobe pixel X Y            the screen pixel at (X, Y) as RRGGBB
//   xprobe inshape WID X Y      1 when window-relative (X, Y) is inside WID's shape, else 0
//   xprobe state WID            the atoms of WID's _NET_WM_STATE, one per line
//   xprobe find NAME            the id of the first mapped window titled NAME, top-level or
//                               framed by the window manager
//   xprobe root RRGGBB          paints the root window (the desktop) in one colour
//   xprobe dot X Y RRGGBB       paints one pixel of the desktop
//   xprobe first X Y W H RRGGBB the first screen pixel of that colour in the area, row by row,
//                               as "X Y" (none: exit code 1)
//   xprobe close WID            asks WID to close, as a window manager's close box does
//   xprobe winpixel WID X Y     window-relative pixel (X, Y) of WID's own contents as RRGGBB (on
//                               Xwayland, where the root window cannot be read, one window can)
//   xprobe holdkey KEYSYM SECS  holds a grab of Ctrl + the key for SECS seconds, as another
//                               program that uses the same hot-key would
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <ctime>

namespace {

// Grabs Ctrl + the key (with and without Caps Lock and Num Lock) and keeps it.
int HoldKey(Display* dpy, const char* keysymName, int seconds) {
    const KeySym sym = XStringToKeysym(keysymName);
    const KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(dpy, sym);
    if (!code) return 1;
    for (unsigned locks :
         {0u, unsigned(LockMask), unsigned(Mod2Mask), unsigned(LockMask | Mod2Mask)}) {
        XGrabKey(dpy, code, ControlMask | locks, DefaultRootWindow(dpy), False, GrabModeAsync,
                 GrabModeAsync);
    }
    XSync(dpy, False);
    std::printf("held\n");
    std::fflush(stdout);
    for (int i = 0; i < seconds * 10; ++i) {
        while (XPending(dpy)) {
            XEvent e;
            XNextEvent(dpy, &e);
        }
        struct timespec t = {0, 100000000};
        nanosleep(&t, nullptr);
    }
    return 0;
}

int First(Display* dpy, int x, int y, int w, int h, const char* hex) {
    const unsigned long want = std::strtoul(hex, nullptr, 16);
    XImage* img = XGetImage(dpy, DefaultRootWindow(dpy), x, y, static_cast<unsigned>(w),
                            static_cast<unsigned>(h), AllPlanes, ZPixmap);
    if (!img) return 2;
    int rc = 1;
    for (int j = 0; j < h && rc; ++j) {
        for (int i = 0; i < w; ++i) {
            if ((XGetPixel(img, i, j) & 0xFFFFFF) == want) {
                std::printf("%d %d\n", x + i, y + j);
                rc = 0;
                break;
            }
        }
    }
    XDestroyImage(img);
    return rc;
}

int Close(Display* dpy, Window w) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(dpy, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(dpy, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(dpy, w, False, NoEventMask, &e);
    XSync(dpy, False);
    return 0;
}

int Usage() {
    std::fprintf(stderr, "usage: xprobe pixel X Y | inshape WID X Y | state WID | find NAME\n");
    return 2;
}

int Root(Display* dpy, const char* hex) {
    const unsigned long rgb = std::strtoul(hex, nullptr, 16);
    XSetWindowBackground(dpy, DefaultRootWindow(dpy), rgb);  // TrueColor: 0xRRGGBB
    XClearWindow(dpy, DefaultRootWindow(dpy));
    XSync(dpy, False);
    return 0;
}

int Dot(Display* dpy, int x, int y, const char* hex) {
    GC gc = XCreateGC(dpy, DefaultRootWindow(dpy), 0, nullptr);
    XSetForeground(dpy, gc, std::strtoul(hex, nullptr, 16));
    XDrawPoint(dpy, DefaultRootWindow(dpy), gc, x, y);
    XFreeGC(dpy, gc);
    XSync(dpy, False);
    return 0;
}

int Pixel(Display* dpy, int x, int y, Window w = 0) {
    XImage* img = XGetImage(dpy, w ? w : DefaultRootWindow(dpy), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!img) return 1;
    const unsigned long p = XGetPixel(img, 0, 0);
    XDestroyImage(img);
    std::printf("%02lX%02lX%02lX\n", (p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    return 0;
}

int InShape(Display* dpy, Window w, int x, int y) {
    int count = 0, ordering = 0;
    XRectangle* rects = XShapeGetRectangles(dpy, w, ShapeBounding, &count, &ordering);
    bool inside = false;
    for (int i = 0; i < count && !inside; ++i) {
        inside = x >= rects[i].x && x < rects[i].x + rects[i].width && y >= rects[i].y &&
                 y < rects[i].y + rects[i].height;
    }
    if (rects) XFree(rects);
    std::printf("%d\n", inside ? 1 : 0);
    return 0;
}

int State(Display* dpy, Window w) {
    Atom type;
    int format;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(dpy, w, XInternAtom(dpy, "_NET_WM_STATE", False), 0, 64, False, XA_ATOM,
                           &type, &format, &n, &after, &data) == Success &&
        data) {
        auto* atoms = reinterpret_cast<Atom*>(data);
        for (unsigned long i = 0; i < n; ++i) {
            char* name = XGetAtomName(dpy, atoms[i]);
            std::printf("%s\n", name);
            XFree(name);
        }
        XFree(data);
    }
    return 0;
}

bool FindIn(Display* dpy, Window parent, const char* name, Window* found) {
    Window root, up, *children = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(dpy, parent, &root, &up, &children, &n)) return false;
    bool ok = false;
    for (unsigned int i = 0; i < n && !ok; ++i) {
        XWindowAttributes attrs;
        char* title = nullptr;
        if (XGetWindowAttributes(dpy, children[i], &attrs) && attrs.map_state == IsViewable &&
            XFetchName(dpy, children[i], &title) && title) {
            ok = std::strcmp(title, name) == 0;
            if (ok) *found = children[i];
        }
        if (title) XFree(title);
    }
    // A window manager that frames windows (KWin through Xwayland) holds them one level down.
    for (unsigned int i = 0; i < n && !ok; ++i) {
        XWindowAttributes attrs;
        if (XGetWindowAttributes(dpy, children[i], &attrs) && attrs.map_state == IsViewable)
            ok = FindIn(dpy, children[i], name, found);
    }
    if (children) XFree(children);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "xprobe: cannot open display\n");
        return 1;
    }
    const std::string cmd = argv[1];
    int rc = -1;
    if (cmd == "pixel" && argc == 4) rc = Pixel(dpy, std::atoi(argv[2]), std::atoi(argv[3]));
    if (cmd == "winpixel" && argc == 5)
        rc = Pixel(dpy, std::atoi(argv[3]), std::atoi(argv[4]), std::strtoul(argv[2], nullptr, 0));
    if (cmd == "inshape" && argc == 5)
        rc =
            InShape(dpy, std::strtoul(argv[2], nullptr, 0), std::atoi(argv[3]), std::atoi(argv[4]));
    if (cmd == "first" && argc == 7)
        rc = First(dpy, std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]),
                   std::atoi(argv[5]), argv[6]);
    if (cmd == "close" && argc == 3) rc = Close(dpy, std::strtoul(argv[2], nullptr, 0));
    if (cmd == "dot" && argc == 5) rc = Dot(dpy, std::atoi(argv[2]), std::atoi(argv[3]), argv[4]);
    if (cmd == "root" && argc == 3) rc = Root(dpy, argv[2]);
    if (cmd == "holdkey" && argc == 4) rc = HoldKey(dpy, argv[2], std::atoi(argv[3]));
    if (cmd == "state" && argc == 3) rc = State(dpy, std::strtoul(argv[2], nullptr, 0));
    if (cmd == "find" && argc == 3) {
        Window w = 0;
        rc = FindIn(dpy, DefaultRootWindow(dpy), argv[2], &w) ? (std::printf("%lu\n", w), 0) : 1;
    }
    XCloseDisplay(dpy);
    return rc == -1 ? Usage() : rc;
}
