// The X11 desktop: the work area from _NET_WORKAREA; taskbar hints and stays-on-top through
// _NET_WM_STATE.
#pragma once

#include "platform/Desktop.h"

namespace huebird {

class X11Desktop : public Desktop {
  public:
    Rect WorkArea() override;
    void KeepOffTaskbar(QWidget* window) override;
    // With a window manager that handles _NET_WM_STATE, a window it manages is asked for
    // _NET_WM_STATE_ABOVE (and _NET_WM_STATE_STAYS_ON_TOP, kept in step) by a client message
    // to the root window; a window not yet mapped gets them written into its own
    // _NET_WM_STATE, which the window manager reads when the window is mapped. Without a
    // window manager nothing keeps any window above another: turning the state on then only
    // raises the window once, and the next window raised covers it.
    void SetStaysOnTop(QWidget* window, bool on) override;
    void OpenUrl(const std::string& url, OpenFailed failed) override;
    void OpenFile(const std::filesystem::path& file, OpenFailed failed) override;
};

}  // namespace huebird
