// Stand-in owners of the CLIPBOARD selection for the end-to-end tests. Each takes the
// selection, prints "owned" and serves until it is killed.
//
//   clipowner silent            never answers a request
//   clipowner flood BYTES       answers every request for text with BYTES letters at once,
//                               in one property (no pieces)
//   clipowner late MS TEXT      answers with TEXT, MS milliseconds after each request
//   clipowner pieces TEXT       answers with TEXT in pieces of two bytes (INCR), one request
//                               at a time
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string mode = argv[1];
    std::string text;
    long delayMs = 0;
    if (mode == "flood" && argc == 3) {
        text.assign(std::strtoul(argv[2], nullptr, 10), 'A');
    } else if (mode == "late" && argc == 4) {
        delayMs = std::strtol(argv[2], nullptr, 10);
        text = argv[3];
    } else if (mode == "pieces" && argc == 3) {
        text = argv[2];
    } else if (mode != "silent") {
        return 2;
    }
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) return 1;
    const Atom clipboard = XInternAtom(dpy, "CLIPBOARD", False);
    const Atom utf8 = XInternAtom(dpy, "UTF8_STRING", False);
    const Atom targets = XInternAtom(dpy, "TARGETS", False);
    const Atom incr = XInternAtom(dpy, "INCR", False);
    const Window w = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(dpy, clipboard, w, CurrentTime);
    if (XGetSelectionOwner(dpy, clipboard) != w) return 1;
    std::printf("owned\n");
    std::fflush(stdout);
    for (;;) {
        XEvent e;
        XNextEvent(dpy, &e);
        if (e.type != SelectionRequest || mode == "silent") continue;
        if (mode == "pieces" && e.xselectionrequest.target != targets) {
            // The announced size first; each time the requestor deletes the property, the
            // next piece, and an empty one at the end.
            const XSelectionRequestEvent r = e.xselectionrequest;
            XSelectInput(dpy, r.requestor, PropertyChangeMask);
            const long size = static_cast<long>(text.size());
            XChangeProperty(dpy, r.requestor, r.property, incr, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(&size), 1);
            XEvent reply{};
            reply.xselection = {SelectionNotify, 0,        False,      dpy,   r.requestor,
                                r.selection,     r.target, r.property, r.time};
            XSendEvent(dpy, r.requestor, False, NoEventMask, &reply);
            for (std::size_t at = 0;;) {
                XEvent p;
                XWindowEvent(dpy, r.requestor, PropertyChangeMask, &p);
                if (p.xproperty.atom != r.property || p.xproperty.state != PropertyDelete) continue;
                const std::string piece = text.substr(at, 2);
                XChangeProperty(dpy, r.requestor, r.property, r.target, 8, PropModeReplace,
                                reinterpret_cast<const unsigned char*>(piece.data()),
                                static_cast<int>(piece.size()));
                XFlush(dpy);
                if (piece.empty()) break;
                at += piece.size();
            }
            XSelectInput(dpy, r.requestor, NoEventMask);
            continue;
        }
        const XSelectionRequestEvent& r = e.xselectionrequest;
        XEvent reply{};
        reply.xselection.type = SelectionNotify;
        reply.xselection.requestor = r.requestor;
        reply.xselection.selection = r.selection;
        reply.xselection.target = r.target;
        reply.xselection.time = r.time;
        reply.xselection.property = r.property;
        if (delayMs > 0) {
            const timespec t{delayMs / 1000, (delayMs % 1000) * 1000000};
            nanosleep(&t, nullptr);
        }
        if (r.target == targets) {
            const Atom offered[] = {targets, utf8, XA_STRING};
            XChangeProperty(dpy, r.requestor, r.property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(offered), 3);
        } else if (r.target == utf8 || r.target == XA_STRING) {
            XChangeProperty(dpy, r.requestor, r.property, r.target, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(text.data()),
                            static_cast<int>(text.size()));
        } else {
            reply.xselection.property = None;
        }
        XSendEvent(dpy, r.requestor, False, NoEventMask, &reply);
        XFlush(dpy);
    }
}
