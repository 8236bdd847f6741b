// The X11 desktop: the work area from _NET_WORKAREA, taskbar hints through _NET_WM_STATE.
#pragma once

#include "platform/Desktop.h"

namespace huebird {

class X11Desktop : public Desktop {
public:
    Rect WorkArea() override;
    void KeepOffTaskbar(QWidget* window) override;
    void OpenUrl(const std::string& url) override;
};

}  // namespace huebird
