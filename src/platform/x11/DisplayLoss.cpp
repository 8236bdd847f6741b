#include "platform/x11/DisplayLoss.h"

#include <QGuiApplication>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <thread>
#include <unistd.h>

#include <xcb/xcb.h>

namespace huebird {

namespace {
std::atomic<DisplayLoss*> gArmed{nullptr};
std::thread::id gMainThread;
bool gRegistered = false;
}  // namespace

DisplayLoss::DisplayLoss(std::function<void()> lastStep) : lastStep_(std::move(lastStep)) {
    DisplayLoss* none = nullptr;
    if (!gArmed.compare_exchange_strong(none, this))
        throw std::logic_error("DisplayLoss: one instance at a time");
    gMainThread = std::this_thread::get_id();
    // Registered late, once the program runs, so the handler comes before the exit-time
    // destructors of what the run set up.
    if (!gRegistered) gRegistered = std::atexit(&DisplayLoss::AtExit) == 0;
}

DisplayLoss::~DisplayLoss() { gArmed.store(nullptr); }

bool DisplayLoss::Broken() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    return connection && xcb_connection_has_error(connection) != 0;
}

void DisplayLoss::AtExit() {
    // Another thread's exit, or an exit for another reason, goes on as it was and leaves the
    // handler armed for the main thread's own.
    if (std::this_thread::get_id() != gMainThread || !Broken()) return;
    DisplayLoss* armed = gArmed.exchange(nullptr);
    if (!armed) return;
    armed->lastStep_();
    std::fflush(stdout);
    std::fflush(stderr);
    // The rest of the exit would tear down what the last step left and what other threads
    // still use; the process ends here, having done what a close does.
    _exit(0);
}

}  // namespace huebird
