// What the desktop gives the main window: the work area and a window kept off the taskbar.
#pragma once

#include <string>

#include "core/Snap.h"

class QWidget;

namespace huebird {

class Desktop {
public:
    virtual ~Desktop() = default;
    // The desktop's work area, read afresh on every call (panels may come and go).
    virtual Rect WorkArea() = 0;
    // Keeps a top-level window off taskbars and pagers; call before it is first shown.
    virtual void KeepOffTaskbar(QWidget* window) = 0;
    // Opens a web address with the desktop's default handler.
    virtual void OpenUrl(const std::string& url) = 0;
};

}  // namespace huebird
