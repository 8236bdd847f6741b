// The screen as the program sees it: the monitors, the pointer, and the pixels a pick reads, in
// the display's own (device) pixels across every monitor of the desktop.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/Color.h"
#include "core/Monitors.h"
#include "core/ScreenPicture.h"
#include "core/Snap.h"

namespace huebird {

// One pick, from the press to its end or cancel (the object's end). A desktop that shows other
// programs' pixels at any moment reads them live; one that does not gives the picture it took
// at the press, and the pick runs over that.
class PickSession {
  public:
    virtual ~PickSession() = default;
    // Where the pointer is now.
    virtual Point Pointer() = 0;
    // Whether (x, y) lies on some monitor (not off the desktop, nor between monitors).
    virtual bool OnScreen(int x, int y) = 0;
    // Reads the w x h area with its top-left corner at (x, y) into `out` (row-major,
    // 0xRRGGBB); pixels outside every monitor read as black.
    virtual void ReadArea(int x, int y, int w, int h, std::uint32_t* out) = 0;
    // Moves the pointer by (dx, dy), kept on the desktop: the one-pixel steps of the arrow keys.
    virtual void Nudge(int dx, int dy) = 0;
    // The picture the pick runs over, where the desktop shows other programs' pixels only in a
    // capture: the pick shows it full screen, so that the pointer is followed over a window of
    // ours. Null where the pick reads the screen live.
    virtual const ScreenPicture* Picture() const { return nullptr; }
    // Whether Nudge has stepped the aim off the pointer, which could not follow it (shown with a
    // mark on the picture).
    virtual bool AimStepped() const { return false; }

    // The colour of one pixel; none outside every monitor.
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

class ScreenSampler {
  public:
    virtual ~ScreenSampler() = default;
    // Where the pointer is, for placing windows by it.
    virtual Point CursorPos() = 0;
    // Every monitor, the primary first, in device and logical pixels.
    virtual std::vector<Monitor> Monitors() = 0;
    // The width of the primary screen in the toolkit's (logical) pixels, for placing windows.
    int ScreenWidth() { return Monitors().front().logical.width(); }

    // Starts a pick at the pointer. Null when the screen cannot be read; PickProblem() then
    // says why in a sentence for the user, in the user's language (a refused permission, say).
    virtual std::unique_ptr<PickSession> BeginPick() = 0;
    virtual std::string PickProblem() const { return {}; }
    // The desktop's own words on what went wrong, untranslated; may be empty.
    virtual std::string PickProblemDetail() const { return {}; }
};

}  // namespace huebird
