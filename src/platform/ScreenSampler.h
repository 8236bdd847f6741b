// The screen as the picker sees it: the pointer position and the pixels under it, in the X
// server's pixels across every screen of the desktop.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/Color.h"
#include "core/Monitors.h"
#include "core/Snap.h"

namespace huebird {

class ScreenSampler {
  public:
    virtual ~ScreenSampler() = default;
    virtual Point CursorPos() = 0;
    // Every monitor, the primary first, in device and logical pixels.
    virtual std::vector<Monitor> Monitors() = 0;
    // The width of the primary screen in the toolkit's (logical) pixels, for placing windows.
    int ScreenWidth() { return Monitors().front().logical.width(); }
    // Whether (x, y) lies on some screen (not off the desktop, nor between monitors).
    virtual bool OnScreen(int x, int y) = 0;
    // Reads the w x h area with its top-left corner at (x, y) into `out` (row-major,
    // 0xRRGGBB); pixels outside every screen read as black.
    virtual void ReadArea(int x, int y, int w, int h, std::uint32_t* out) = 0;
    // Puts the pointer at (x, y), kept on the desktop.
    virtual void MovePointer(int x, int y) = 0;

    // The colour of one pixel; none outside every screen.
    std::optional<ColorValue> Pixel(int x, int y) {
        if (!OnScreen(x, y)) return std::nullopt;
        std::uint32_t rgb = 0;
        ReadArea(x, y, 1, 1, &rgb);
        return FromRgb(rgb);
    }
    static ColorValue FromRgb(std::uint32_t rgb) {
        return MakeColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    }
};

}  // namespace huebird
