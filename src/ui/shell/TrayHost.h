// What the tray icon and hiding the program need of the main window: the window's own menu
// and the hot-key it holds.
#pragma once

#include <QString>

class QMenu;

namespace huebird {

class TrayHost {
  public:
    virtual ~TrayHost() = default;
    // The main menu, opened by a right press on the tray icon.
    virtual QMenu* PopupMenu1() const = 0;
    // The global hot-key that hides and shows the program, as the user presses it ("Ctrl+W"),
    // and whether it works now (the key is grabbed).
    virtual QString HotKeyName() const = 0;
    virtual bool HotKeyWorks() const = 0;
    // Whether this desktop lets a global key reach the program at all (a Wayland session
    // gives an X11 key grab only while an X11 window has the focus).
    virtual bool GlobalKeysReachUs() const = 0;
};

}  // namespace huebird
