#include "platform/Backends.h"

#include <cstdlib>

#include "platform/x11/DisplayCheck.h"
#include "platform/wayland/XwaylandBackend.h"
#include "platform/x11/X11Backend.h"

namespace huebird {

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

BackendChoice PrepareBackend() {
    BackendChoice choice;
    choice.session = SessionFrom(std::getenv);
    // Every session is served by the X11 backend for now: a Wayland session through Xwayland,
    // which keeps the window's outline, its place and its drag.
    choice.problem = DisplayProblem();
    if (!choice.problem.empty()) return choice;
    const std::string qpa = ToolkitPlatformFor(choice.session, Environment("QT_QPA_PLATFORM"));
    if (!qpa.empty()) {
        setenv("QT_QPA_PLATFORM", qpa.c_str(), 1);
        choice.toolkitChosen = true;
    }
    return choice;
}

void ForgetToolkitChoice(const BackendChoice& choice) {
    if (choice.toolkitChosen) unsetenv("QT_QPA_PLATFORM");
}

std::unique_ptr<Backend> MakeBackend(SessionKind session,
                                     std::vector<std::filesystem::path> hotKeyLibraryDirs) {
    if (session == SessionKind::Wayland) {
        return std::make_unique<XwaylandBackend>(std::move(hotKeyLibraryDirs));
    }
    return std::make_unique<X11Backend>(std::move(hotKeyLibraryDirs), false);
}

}  // namespace huebird
