// A picture of the whole desktop taken at one moment: what a pick reads on a desktop that shows
// other programs' pixels only in a capture. Each output's pixels lie at its place on the
// desktop, in the pointer's units.
#pragma once

#include <cstdint>
#include <vector>

#include "core/Snap.h"

namespace huebird {

struct OutputPicture {
    Rect place;  // where the output lies on the desktop
    // The pixels, row-major, 0xRRGGBB. A scaled output gives more pixels than its place holds
    // (twice as many each way at scale 2); each point of the place reads the pixel at its
    // top-left corner.
    int width = 0, height = 0;
    std::vector<std::uint32_t> rgb;
};

class ScreenPicture {
  public:
    ScreenPicture() = default;
    // Outputs whose pixels do not fill width x height, or with an empty place, are left out.
    explicit ScreenPicture(std::vector<OutputPicture> outputs);

    const std::vector<OutputPicture>& Outputs() const { return outputs_; }
    bool Empty() const { return outputs_.empty(); }
    // The smallest rectangle holding every output.
    Rect Bounds() const;
    // Whether (x, y) lies on some output (not off the desktop, nor between outputs).
    bool Contains(Point p) const;
    // The w x h area with its top-left corner at (x, y), row-major; points on no output read 0.
    void ReadArea(int x, int y, int w, int h, std::uint32_t* out) const;

  private:
    const OutputPicture* At(Point p) const;
    std::vector<OutputPicture> outputs_;
};

// Where a pick over a picture aims. The pointer cannot be moved on such a desktop, so the arrow
// keys step the aim away from it, one pixel at a time, kept on the picture; the aim follows the
// pointer again as soon as the pointer moves.
class PickAim {
  public:
    // The aim, given where the pointer is now.
    Point Follow(Point pointer);
    // Steps the aim by (dx, dy); a step that would leave every output goes as far as it can
    // along each axis on its own, and no further.
    void Step(int dx, int dy, const ScreenPicture& picture);
    Point Aim() const { return aim_; }
    // Whether the aim has been stepped away from the pointer (and is shown with a mark).
    bool Stepped() const { return started_ && aim_ != pointer_; }

  private:
    bool started_ = false;
    Point pointer_;  // where the pointer was last seen
    Point aim_;
};

}  // namespace huebird
