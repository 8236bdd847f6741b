// The one place a backend is chosen, at run time: before the toolkit starts, which session this
// is and whether its display can be used; after, the backend that serves it.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/Session.h"
#include "platform/Backend.h"

namespace huebird {

struct BackendChoice {
    SessionKind session = SessionKind::None;
    // Why the program cannot run on this session, in one line; empty when it can.
    std::string problem;
    // The toolkit's window system was set here (in QT_QPA_PLATFORM) rather than by the user:
    // once the toolkit has started, ForgetToolkitChoice takes it out of the environment again,
    // so that programs started from ours (a browser for the help page) choose for themselves.
    bool toolkitChosen = false;
};

// Before the toolkit starts (it would abort without a display): decides the session from the
// environment, checks that its display can be used, and asks the toolkit for the window system
// the backend needs unless the user chose one in QT_QPA_PLATFORM.
BackendChoice PrepareBackend();

// After the toolkit has started: takes the choice PrepareBackend made out of the environment.
void ForgetToolkitChoice(const BackendChoice& choice);

// After the toolkit has started: the backend for the session PrepareBackend found usable.
// `hotKeyLibraryDirs` are the folders the hot-key library is looked for in, in order.
std::unique_ptr<Backend> MakeBackend(SessionKind session,
                                     std::vector<std::filesystem::path> hotKeyLibraryDirs);

}  // namespace huebird
