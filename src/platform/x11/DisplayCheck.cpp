#include "platform/x11/DisplayCheck.h"

#include <X11/Xlib.h>

#include <cstdlib>

namespace huebird {

std::string DisplayProblem() {
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name) {
        return "no X display: DISPLAY is not set (Huebird needs an X11 desktop session)";
    }
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::string line = "cannot open the X display \"";
        line += name;
        line += "\"";
        return line;
    }
    XCloseDisplay(dpy);
    return {};
}

}  // namespace huebird
