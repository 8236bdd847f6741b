// A pick over a picture taken at its press: the pointer is followed over it, the arrow keys step
// the aim, which the pointer cannot follow, and every reading comes from the picture.
#pragma once

#include <functional>
#include <utility>

#include "core/ScreenPicture.h"
#include "platform/ScreenSampler.h"

namespace huebird {

class PicturePickSession : public PickSession {
  public:
    // `pointer` says where the pointer is now, in the picture's units.
    PicturePickSession(ScreenPicture picture, std::function<Point()> pointer)
        : picture_(std::move(picture)), pointer_(std::move(pointer)) {}

    Point Pointer() override { return aim_.Follow(pointer_()); }
    bool OnScreen(int x, int y) override { return picture_.Contains({x, y}); }
    void ReadArea(int x, int y, int w, int h, std::uint32_t* out) override {
        picture_.ReadArea(x, y, w, h, out);
    }
    void Nudge(int dx, int dy) override {
        aim_.Follow(pointer_());
        aim_.Step(dx, dy, picture_);
    }
    const ScreenPicture* Picture() const override { return &picture_; }
    bool AimStepped() const override { return aim_.Stepped(); }

  private:
    ScreenPicture picture_;
    std::function<Point()> pointer_;
    PickAim aim_;
};

}  // namespace huebird
