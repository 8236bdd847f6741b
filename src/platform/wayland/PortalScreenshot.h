// Captures through the desktop portal's Screenshot interface (GNOME, KDE Plasma and others):
// the desktop writes a picture of every output to a file, which is read and removed. The desktop
// may first ask the user for permission.
#pragma once

#include <chrono>

#include "platform/ScreenCapture.h"

namespace huebird {

class PortalScreenshot : public ScreenCapture {
  public:
    // `answerLimit`: how long to wait for the desktop's answer, a question to the user
    // included, before giving up.
    explicit PortalScreenshot(std::chrono::milliseconds answerLimit = std::chrono::seconds(60))
        : answerLimit_(answerLimit) {}
    CaptureResult Take(const std::vector<Monitor>& monitors) override;

  private:
    std::chrono::milliseconds answerLimit_;
};

}  // namespace huebird
