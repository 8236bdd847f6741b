// One kind of desktop session (X11 now), as the program meets it: its services, and the end of
// its display. Made by the factory in Backends.h, after the toolkit has started.
#pragma once

#include <functional>

#include "platform/Platform.h"

namespace huebird {

class Backend {
  public:
    virtual ~Backend() = default;
    // The services, alive as long as the backend.
    virtual Platform Services() = 0;
    // From now on, when the connection to the display breaks (the session ended, or the
    // program was cut off from it), `lastStep` runs on the main thread and the process ends
    // with exit code 0. The step must ask nothing of the display. An empty step disarms it.
    virtual void OnDisplayLost(std::function<void()> lastStep) = 0;
};

}  // namespace huebird
