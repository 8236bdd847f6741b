#include "platform/x11/DisplayCheck.h"

#include <X11/Xlib.h>

#include <cstdlib>
#include <string>

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
    // The toolkit paints and the sampler reads pixels as red, green and blue masks: a screen
    // with a colour map (PseudoColor, grey scales) shows a window that is never painted and
    // reads every pixel as black, so it is refused here instead.
    const int screen = DefaultScreen(dpy);
    const int kind = DefaultVisual(dpy, screen)->c_class;
    const int depth = DefaultDepth(dpy, screen);
    XCloseDisplay(dpy);
    if (kind == TrueColor && depth >= 15) return {};
    const char* kinds[] = {"StaticGray",  "GrayScale", "StaticColor",
                           "PseudoColor", "TrueColor", "DirectColor"};
    std::string line = "the screen of \"";
    line += name;
    line += "\" is ";
    line += std::to_string(depth);
    line += "-bit ";
    line += kind >= 0 && kind < 6 ? kinds[kind] : "of an unknown kind";
    line += ", which Huebird does not support; it needs a TrueColor screen of 15 bits or more";
    return line;
}

}  // namespace huebird
