// The X11 session: the X server gives the work area, live screen pixels, the pointer, the
// clipboard and a global key grab.
#pragma once

#include <memory>

#include "platform/Backend.h"
#include "platform/x11/DisplayLoss.h"
#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11Desktop.h"
#include "platform/x11/X11HotKey.h"
#include "platform/x11/X11ScreenSampler.h"

namespace huebird {

class X11Backend : public Backend {
  public:
    // `throughXwayland`: the X server is a Wayland compositor's Xwayland, which gives a key
    // grab only while an X11 window has the focus, moves only its own pointer and reads no
    // other program's pixels.
    X11Backend(std::vector<std::filesystem::path> hotKeyLibraryDirs, bool throughXwayland)
        : screen_(!throughXwayland), hotKey_(std::move(hotKeyLibraryDirs)) {
        if (throughXwayland) {
            abilities_.globalHotKey = false;
            abilities_.movesPointer = false;
            abilities_.readsScreenLive = false;
        }
    }
    Platform Services() override { return {desktop_, screen_, clipboard_, hotKey_, abilities_}; }
    void OnDisplayLost(std::function<void()> lastStep) override {
        displayLoss_.reset();  // one at a time
        if (lastStep) displayLoss_ = std::make_unique<DisplayLoss>(std::move(lastStep));
    }

  private:
    X11Desktop desktop_;
    X11ScreenSampler screen_;
    X11Clipboard clipboard_;
    X11HotKey hotKey_;  // the key is released last, after the window
    std::unique_ptr<DisplayLoss> displayLoss_;
    DesktopAbilities abilities_;
};

}  // namespace huebird
