// What the desktop gives the main window: the work area, a window kept off the taskbar and
// kept on top of the others.
#pragma once

#include <filesystem>
#include <string>

#include "core/Snap.h"

class QWidget;

namespace huebird {

class Desktop {
public:
    virtual ~Desktop() = default;
    // The desktop's work area in the toolkit's (logical) pixels, read afresh on every call
    // (panels may come and go).
    virtual Rect WorkArea() = 0;
    // Keeps a top-level window off taskbars and pagers, also after it is hidden and shown
    // again.
    virtual void KeepOffTaskbar(QWidget* window) = 0;
    // Keeps a top-level window above ordinary windows (on) or lets them cover it again (off),
    // in place: the window is not recreated, so it keeps its id, its place and its taskbar
    // hints. Call it at any time, before the window is first shown or while it is shown; the
    // state also holds after the window is hidden and shown again.
    virtual void SetStaysOnTop(QWidget* window, bool on) = 0;
    // Opens a web address with the desktop's default handler.
    virtual void OpenUrl(const std::string& url) = 0;
    // Opens a local file with the desktop's default handler for its type.
    virtual void OpenFile(const std::filesystem::path& file) = 0;
};

}  // namespace huebird
