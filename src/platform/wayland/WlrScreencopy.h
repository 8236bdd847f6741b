// Captures through the compositor's screen copy protocol (wlroots compositors: sway and its
// kin): each output straight into shared memory of ours, with no file and no dialog, in a few
// tens of milliseconds.
#pragma once

#include <memory>

#include "platform/ScreenCapture.h"

namespace huebird {

class WlrScreencopy : public ScreenCapture {
  public:
    WlrScreencopy();
    ~WlrScreencopy() override;
    // Unavailable where the compositor does not offer the protocol (nor a Wayland connection).
    CaptureResult Take(const std::vector<Monitor>& monitors) override;

  private:
    struct Connection;
    std::unique_ptr<Connection> connection_;  // made at the first capture, kept
};

}  // namespace huebird
