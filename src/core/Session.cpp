#include "core/Session.h"

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

}  // namespace huebird
