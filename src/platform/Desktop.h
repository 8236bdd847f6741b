// What the desktop gives the main window: the work area, a window kept off the taskbar and
// kept on top of the others.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "core/Snap.h"

class QWidget;

namespace huebird {

// Why the desktop could not open a web address or a file.
enum class OpenFailure {
    NoOpener,       // no program that opens addresses and files is installed
    NoHandler,      // nothing on this desktop opens this kind of address or file
    HandlerFailed,  // the program chosen for it failed
    Missing,        // the file is not there
};
// Called on the user-interface thread, once, when nothing could open it.
using OpenFailed = std::function<void(OpenFailure)>;

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
    // Opens a web address with the desktop's default handler; returns at once, and `failed`
    // hears later when nothing opened it.
    virtual void OpenUrl(const std::string& url, OpenFailed failed) = 0;
    // Opens a local file with the desktop's default handler for its type, the same way.
    virtual void OpenFile(const std::filesystem::path& file, OpenFailed failed) = 0;
};

}  // namespace huebird
