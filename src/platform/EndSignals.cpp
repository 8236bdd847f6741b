#include "platform/EndSignals.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace huebird {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP, SIGQUIT};
int gPipe[2] = {-1, -1};
struct sigaction gBefore[std::size(kSignals)];
bool gHandled[std::size(kSignals)] = {};

// Only what is safe in a signal handler: one write, errno kept.
void OnSignal(int signo) {
    const int saved = errno;
    const unsigned char number = static_cast<unsigned char>(signo);
    [[maybe_unused]] const ssize_t n = write(gPipe[1], &number, 1);
    errno = saved;
}

}  // namespace

EndSignals::EndSignals(std::function<void(int)> received) : received_(std::move(received)) {
    if (gPipe[0] >= 0) throw std::logic_error("EndSignals: one instance at a time");
    if (pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        gPipe[0] = gPipe[1] = -1;
        throw std::runtime_error("EndSignals: no pipe");
    }
    notifier_ = new QSocketNotifier(gPipe[0], QSocketNotifier::Read);
    QObject::connect(notifier_, &QSocketNotifier::activated, [this] {
        unsigned char numbers[16];
        const ssize_t n = read(gPipe[0], numbers, sizeof numbers);
        // Signals read together are one request.
        if (n > 0) received_(numbers[0]);
    });
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        sigaction(kSignals[i], nullptr, &gBefore[i]);
        if (gBefore[i].sa_handler == SIG_IGN) continue;
        struct sigaction action {};
        action.sa_handler = OnSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        gHandled[i] = sigaction(kSignals[i], &action, nullptr) == 0;
    }
}

EndSignals::~EndSignals() {
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        if (gHandled[i]) sigaction(kSignals[i], &gBefore[i], nullptr);
        gHandled[i] = false;
    }
    delete notifier_;
    close(gPipe[0]);
    close(gPipe[1]);
    gPipe[0] = gPipe[1] = -1;
}

}  // namespace huebird
