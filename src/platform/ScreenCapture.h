// One capture of every output, for a desktop that shows other programs' pixels only that way:
// a pick runs over the picture taken at its press.
#pragma once

#include <string>
#include <vector>

#include "core/Monitors.h"
#include "core/ScreenPicture.h"

namespace huebird {

struct CaptureResult {
    enum class Outcome {
        Taken,        // `picture` holds every output
        Unavailable,  // this way of capturing is not offered here; another may be
        Refused,      // the desktop or the user said no
        Failed,       // it was tried and went wrong; `detail` says how
    };
    Outcome outcome = Outcome::Failed;
    ScreenPicture picture;
    std::string detail;  // the desktop's own words, for the notice
};

class ScreenCapture {
  public:
    virtual ~ScreenCapture() = default;
    // Takes one picture of the desktop whose monitors are `monitors` (in the pointer's units);
    // returns when it is taken or has failed.
    virtual CaptureResult Take(const std::vector<Monitor>& monitors) = 0;
};

}  // namespace huebird
