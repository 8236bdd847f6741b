#include <gtest/gtest.h>

#include <map>
#include <string>

#include "core/Session.h"

namespace huebird {
namespace {

// The session from the environment, and the window system asked of the toolkit for it: the
// X11 one unless the user chose, and none without a session.
TEST(SessionTest, TheSessionAndTheToolkitsWindowSystemFollowTheEnvironment) {
    struct Case {
        std::map<std::string, std::string> env;
        SessionKind session;
        std::string toolkit;
    };
    const Case cases[] = {
        {{{"DISPLAY", ":0"}}, SessionKind::X11, "xcb"},
        {{{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", "wayland-0"}}, SessionKind::Wayland, "xcb"},
        {{{"WAYLAND_DISPLAY", "wayland-0"}}, SessionKind::Wayland, "xcb"},
        {{{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", ""}}, SessionKind::X11, "xcb"},
        {{{"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "wayland"}}, SessionKind::X11, ""},
        {{{"WAYLAND_DISPLAY", "w"}, {"QT_QPA_PLATFORM", "offscreen"}}, SessionKind::Wayland, ""},
        {{{"DISPLAY", ""}}, SessionKind::None, ""},
        {{}, SessionKind::None, ""},
    };
    for (const Case& c : cases) {
        const auto getenv = [&](const char* name) -> const char* {
            const auto it = c.env.find(name);
            return it == c.env.end() ? nullptr : it->second.c_str();
        };
        const SessionKind session = SessionFrom(getenv);
        const char* user = getenv("QT_QPA_PLATFORM");
        EXPECT_EQ(session, c.session) << testing::PrintToString(c.env);
        EXPECT_EQ(ToolkitPlatformFor(session, user ? user : ""), c.toolkit)
            << testing::PrintToString(c.env);
    }
}

// Only the wlroots compositors are known to place X11 windows themselves; anything else,
// unknown desktops included, is taken to keep a window's place.
TEST(SessionTest, TheCompositorsThatPlaceX11WindowsThemselvesAreTheWlrootsOnes) {
    const std::pair<std::map<std::string, std::string>, bool> cases[] = {
        {{{"XDG_CURRENT_DESKTOP", "sway"}}, false},
        {{{"XDG_CURRENT_DESKTOP", "ubuntu:GNOME"}}, true},
        {{{"XDG_CURRENT_DESKTOP", "KDE"}}, true},
        {{{"XDG_CURRENT_DESKTOP", "foo:Hyprland"}}, false},
        {{{"XDG_CURRENT_DESKTOP", "swaywm"}}, true},  // whole names only
        {{{"SWAYSOCK", "/run/user/1000/sway-ipc.sock"}}, false},
        {{}, true},
    };
    for (const auto& [env, places] : cases) {
        const auto getenv = [&env = env](const char* name) -> const char* {
            const auto it = env.find(name);
            return it == env.end() ? nullptr : it->second.c_str();
        };
        EXPECT_EQ(CompositorPlacesX11Windows(getenv), places) << testing::PrintToString(env);
    }
    const std::pair<const char*, bool> kde[] = {
        {"KDE", true}, {"kde", true}, {"GNOME:KDE", true}, {"KDEx", false}, {nullptr, false}};
    for (const auto& [desktop, has] : kde) {
        const auto getenv = [desktop = desktop](const char* name) -> const char* {
            return std::string(name) == "XDG_CURRENT_DESKTOP" ? desktop : nullptr;
        };
        EXPECT_EQ(DesktopHasKdeShortcuts(getenv), has) << (desktop ? desktop : "unset");
    }
}

}  // namespace
}  // namespace huebird
