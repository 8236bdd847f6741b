// Opening a web address or a file with the program the desktop has chosen for it, through
// xdg-open, which every freedesktop desktop provides and which says by its exit code whether
// something opened it.
#pragma once

#include <QString>

#include "platform/Desktop.h"

namespace huebird {

// Opens `target` (an address, or a file's URL) and calls `failed` on the user-interface thread,
// once, when nothing could open it. Returns at once: the opener runs on its own and is not
// stopped when the program ends (it may be the browser itself). Without xdg-open the
// toolkit's own search for a browser is tried.
void OpenWithDesktop(const QString& target, OpenFailed failed);

// What an exit code of xdg-open means: nothing for success.
std::optional<OpenFailure> OpenFailureFromExitCode(int code);

}  // namespace huebird
