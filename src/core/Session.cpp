#include "core/Session.h"

#include <algorithm>
#include <cctype>

namespace huebird {

namespace {

bool Set(const EnvironmentReader& getenv, const char* name) {
    const char* value = getenv(name);
    return value && *value;
}

}  // namespace

SessionKind SessionFrom(const EnvironmentReader& getenv) {
    if (Set(getenv, "WAYLAND_DISPLAY")) return SessionKind::Wayland;
    if (Set(getenv, "DISPLAY")) return SessionKind::X11;
    return SessionKind::None;
}

std::string ToolkitPlatformFor(SessionKind session, const std::string& userChoice) {
    if (!userChoice.empty() || session == SessionKind::None) return {};
    return "xcb";
}

bool CompositorPlacesX11Windows(const EnvironmentReader& getenv) {
    if (Set(getenv, "SWAYSOCK")) return false;
    const char* desktops = getenv("XDG_CURRENT_DESKTOP");
    if (!desktops) return true;
    // A colon-separated list, compared without regard to case.
    std::string list(desktops);
    for (char& c : list) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (std::size_t start = 0; start <= list.size();) {
        const std::size_t end = std::min(list.find(':', start), list.size());
        const std::string name = list.substr(start, end - start);
        for (const char* own : {"sway", "wlroots", "hyprland", "river", "wayfire", "labwc"}) {
            if (name == own) return false;
        }
        start = end + 1;
    }
    return true;
}

}  // namespace huebird
