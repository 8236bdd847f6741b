// When the connection to the X server breaks (the server ended at a logout, or xkill had the
// server drop the program), the toolkit ends the process with exit(1) from inside its event
// handling, and nothing after the event loop runs. While a DisplayLoss exists, that exit first
// runs its last step on the main thread and the process then ends with exit code 0. The step
// must ask nothing of the X server: the connection is gone. Any other exit is left as it is.
// One instance at a time.
#pragma once

#include <functional>

namespace huebird {

class DisplayLoss {
  public:
    explicit DisplayLoss(std::function<void()> lastStep);
    ~DisplayLoss();
    DisplayLoss(const DisplayLoss&) = delete;
    DisplayLoss& operator=(const DisplayLoss&) = delete;

    // Whether the toolkit's connection to the X server has broken.
    static bool Broken();

  private:
    static void AtExit();
    std::function<void()> lastStep_;
};

}  // namespace huebird
