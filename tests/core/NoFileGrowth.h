// No file of this process may grow while one of these lives: every write that adds a byte
// fails with the system's "file too large", for root as for anyone.
#pragma once

#include <sys/resource.h>

#include <csignal>

namespace huebird::testing {

class NoFileGrowth {
  public:
    NoFileGrowth() {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        oldSignal_ = std::signal(SIGXFSZ, SIG_IGN);  // fail the write, do not end the process
        rlimit none = saved_;
        none.rlim_cur = 0;
        ::setrlimit(RLIMIT_FSIZE, &none);
    }
    ~NoFileGrowth() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldSignal_);
    }
    NoFileGrowth(const NoFileGrowth&) = delete;
    NoFileGrowth& operator=(const NoFileGrowth&) = delete;

  private:
    rlimit saved_{};
    void (*oldSignal_)(int) = SIG_DFL;
};

}  // namespace huebird::testing
