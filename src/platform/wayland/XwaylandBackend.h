// The Wayland session: our window, its outline, its place and its drag go through Xwayland, as
// on an X11 session; the screen's pixels, which Xwayland does not show, come from one capture
// at each pick's press (the compositor's screen copy where it offers one, else the desktop
// portal).
#pragma once

#include <cstdlib>
#include <memory>

#include "core/Session.h"
#include "platform/Backend.h"
#include "platform/wayland/CapturedScreen.h"
#include "platform/wayland/PortalScreenshot.h"
#include "platform/wayland/WlrScreencopy.h"
#include "platform/x11/X11Backend.h"

namespace huebird {

class XwaylandBackend : public Backend {
  public:
    explicit XwaylandBackend(std::vector<std::filesystem::path> hotKeyLibraryDirs)
        : x11_(std::move(hotKeyLibraryDirs), true), screen_(x11_.Services().screen, Captures()) {
        abilities_ = x11_.Services().abilities;
        abilities_.placesWindows = CompositorPlacesX11Windows(std::getenv);
    }

    Platform Services() override {
        const Platform x = x11_.Services();
        return {x.desktop, screen_, x.clipboard, x.hotKey, abilities_};
    }
    void OnDisplayLost(std::function<void()> lastStep) override {
        x11_.OnDisplayLost(std::move(lastStep));
    }

  private:
    static std::vector<std::unique_ptr<ScreenCapture>> Captures() {
        std::vector<std::unique_ptr<ScreenCapture>> captures;
        captures.push_back(std::make_unique<WlrScreencopy>());
        captures.push_back(std::make_unique<PortalScreenshot>());
        return captures;
    }

    X11Backend x11_;
    CapturedScreen screen_;
    DesktopAbilities abilities_;
};

}  // namespace huebird
