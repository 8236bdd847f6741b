#include "core/Session.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>

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

namespace {

// Whether XDG_CURRENT_DESKTOP, a colon-separated list, holds one of `names` (lower case),
// compared without regard to case.
bool DesktopIs(const EnvironmentReader& getenv, std::initializer_list<const char*> names) {
    const char* desktops = getenv("XDG_CURRENT_DESKTOP");
    if (!desktops) return false;
    std::string list(desktops);
    for (char& c : list) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (std::size_t start = 0; start <= list.size();) {
        const std::size_t end = std::min(list.find(':', start), list.size());
        const std::string name = list.substr(start, end - start);
        for (const char* own : names) {
            if (name == own) return true;
        }
        start = end + 1;
    }
    return false;
}

}  // namespace

bool CompositorPlacesX11Windows(const EnvironmentReader& getenv) {
    if (Set(getenv, "SWAYSOCK")) return false;
    return !DesktopIs(getenv, {"sway", "wlroots", "hyprland", "river", "wayfire", "labwc"});
}

bool DesktopHasKdeShortcuts(const EnvironmentReader& getenv) { return DesktopIs(getenv, {"kde"}); }

}  // namespace huebird
