// The screen on a Wayland session, seen from our X11 window through Xwayland: the monitors and
// the pointer come from the X server, which knows them, and a pick runs over one capture of
// every output taken at its press, since Xwayland shows no other program's pixels.
#pragma once

#include <memory>
#include <vector>

#include "platform/ScreenCapture.h"
#include "platform/ScreenSampler.h"

namespace huebird {

class CapturedScreen : public ScreenSampler {
  public:
    // `xServer` gives the monitors and the pointer; `captures` are tried in order, the first
    // that is available here taking every later pick.
    CapturedScreen(ScreenSampler& xServer, std::vector<std::unique_ptr<ScreenCapture>> captures);

    Point CursorPos() override { return xServer_.CursorPos(); }
    std::vector<Monitor> Monitors() override { return xServer_.Monitors(); }
    std::unique_ptr<PickSession> BeginPick() override;
    std::string PickProblem() const override { return problem_; }
    std::string PickProblemDetail() const override { return detail_; }

  private:
    ScreenSampler& xServer_;
    std::vector<std::unique_ptr<ScreenCapture>> captures_;
    std::string problem_, detail_;
};

}  // namespace huebird
