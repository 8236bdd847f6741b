// Screen pixels straight from the X server: XGetImage on the root window is about 25 times
// faster than a toolkit grab, and needs no copy of the whole screen.
#pragma once

#include "platform/ScreenSampler.h"

namespace huebird {

// An X server shows every program's pixels at any moment, so a pick reads them live.
class X11ScreenSampler : public ScreenSampler {
  public:
    // `live`: false on Xwayland, whose root window reads black everywhere; picks are refused
    // there rather than read wrong.
    explicit X11ScreenSampler(bool live = true) : live_(live) {}
    Point CursorPos() override;
    std::vector<Monitor> Monitors() override;
    std::unique_ptr<PickSession> BeginPick() override;
    std::string PickProblem() const override;

    // What a pick asks of the server.
    bool OnScreen(int x, int y);
    void ReadArea(int x, int y, int w, int h, std::uint32_t* out);
    void MovePointer(int x, int y);

  private:
    bool live_;
};

}  // namespace huebird
