// The signals that ask a program to end: SIGTERM (a logout, a shutdown, kill), SIGINT (Ctrl+C),
// SIGHUP (the terminal went away) and SIGQUIT. Their handler only writes the signal's number
// into a pipe; the event loop reads it and calls the callback on the main thread, where the
// program may end as a close does instead of being cut off. A signal the program was started
// with ignored (nohup, a script's background job) stays ignored. One instance at a time.
#pragma once

#include <functional>

class QSocketNotifier;

namespace huebird {

class EndSignals {
  public:
    explicit EndSignals(std::function<void(int signo)> received);
    ~EndSignals();  // the dispositions the program started with come back
    EndSignals(const EndSignals&) = delete;
    EndSignals& operator=(const EndSignals&) = delete;

  private:
    std::function<void(int)> received_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace huebird
