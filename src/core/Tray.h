// The tray icon's decisions: what a press on the icon does, when its right press opens the
// main menu, and what hiding the program does when the desktop has no tray to come back from.
#pragma once

#include "core/Snap.h"

namespace huebird {

// A press on the tray icon, as the tray host reports it.
enum class TrayPress { Left, Right, Double, Other };

enum class TrayAction { Nothing, Toggle, Menu };

// Routes the presses on the tray icon. A left press toggles the program; the second press of
// a double click does not, and neither does any left press that follows the previous one
// within the double-click interval, so a double click toggles once whether the tray host
// reports it as a press and a double click (XEmbed trays) or as two presses. A right press
// asks for the menu (see TrayMenuOpens); every other press does nothing.
class TrayClicks {
  public:
    explicit TrayClicks(int doubleClickMs) : doubleClickMs_(doubleClickMs) {}
    // `nowMs` comes from a monotonic clock.
    TrayAction Press(TrayPress press, long long nowMs);

  private:
    int doubleClickMs_;
    bool leftBefore_ = false;
    long long lastLeftMs_ = 0;
};

// A right press on the tray icon opens the main menu only when the pointer lies beyond both
// the main window's right edge and its bottom edge (x > left + width, y > top + height), so a
// window that sits over or beside the tray never gets a menu over it.
constexpr bool TrayMenuOpens(Point pointer, const Rect& window) {
    return pointer.x > window.right && pointer.y > window.bottom;
}

enum class HidePlan {
    Hide,            // hide: the tray icon (or the hot-key) brings the program back
    HideAndTellKey,  // hide, then say which key brings it back: the hot-key is the only way
    Stay,            // nothing could bring it back: stay, and say why
};

// What hiding the program does. With a tray showing the icon it simply hides. Without one it
// hides only when the hot-key works, and says so the first time (`keyTold` is whether that
// notice was given in this session). The same answer, asked again when the tray goes away
// while the program is hidden, says whether it must come back.
//
// `byCommand`: the hide was asked for by `huebird --toggle`, which brings the program back the
// same way, so it hides whatever else there is (and a tray that goes away changes nothing).
// `hotKeyWorks` counts only where the desktop lets a global key reach the program.
constexpr HidePlan PlanHide(bool trayShown, bool hotKeyWorks, bool keyTold,
                            bool byCommand = false) {
    if (trayShown || byCommand) return HidePlan::Hide;
    if (!hotKeyWorks) return HidePlan::Stay;
    return keyTold ? HidePlan::Hide : HidePlan::HideAndTellKey;
}

enum class ToggleAction { Nothing, Hide, Show };

// What a left press on the tray icon and the hot-key do. The program counts as shown only
// while it is not hidden, its main window is on the screen and none of its windows is
// iconified: then the toggle hides it. A hidden program, and one with an iconified window (a
// window manager may iconify a dialog and the main window with it), is brought back whole.
// Before the main window is first shown (start-up is still running) nothing toggles.
constexpr ToggleAction PlanToggle(bool hidden, bool mainShown, bool anyIconified) {
    if (hidden) return ToggleAction::Show;
    if (!mainShown) return ToggleAction::Nothing;
    return anyIconified ? ToggleAction::Show : ToggleAction::Hide;
}

}  // namespace huebird
