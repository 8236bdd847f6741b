// The Wayland session: our window, its outline, its place and its drag go through Xwayland, as
// on an X11 session; the screen's pixels, which Xwayland does not show, come from one capture
// at each pick's press (the compositor's screen copy where it offers one, else the desktop
// portal), and on KDE Plasma the hot-key from its global shortcut service.
#pragma once

#include <cstdlib>
#include <memory>

#include "core/Session.h"
#include "platform/Backend.h"
#include "platform/wayland/CapturedScreen.h"
#include "platform/wayland/KdeHotKey.h"
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
        abilities_.compositorDrags = true;
        // KDE's shortcut service sees every key the compositor gets; elsewhere the X key grab
        // is all there is, and a binding of `huebird --toggle` takes the hot-key's place.
        if (DesktopHasKdeShortcuts(std::getenv)) {
            kdeHotKey_ = std::make_unique<KdeHotKey>();
            abilities_.globalHotKey = true;
        }
    }

    Platform Services() override {
        const Platform x = x11_.Services();
        return {x.desktop, screen_, x.clipboard, kdeHotKey_ ? *kdeHotKey_ : x.hotKey, abilities_};
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
    std::unique_ptr<KdeHotKey> kdeHotKey_;  // on KDE Plasma, in place of the X key grab
    DesktopAbilities abilities_;
};

}  // namespace huebird
