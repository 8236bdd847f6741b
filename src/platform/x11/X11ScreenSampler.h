// Screen pixels straight from the X server: XGetImage on the root window is about 25 times
// faster than a toolkit grab, and needs no copy of the whole screen.
#pragma once

#include "platform/ScreenSampler.h"

namespace huebird {

class X11ScreenSampler : public ScreenSampler {
  public:
    Point CursorPos() override;
    std::vector<Monitor> Monitors() override;
    bool OnScreen(int x, int y) override;
    void ReadArea(int x, int y, int w, int h, std::uint32_t* out) override;
    void MovePointer(int x, int y) override;
};

}  // namespace huebird
