// What the desktop session lets the program do, as one value the decisions take: a desktop
// that keeps windows where the compositor wants them, or hides the pointer from other programs,
// asks for other ways to the same result.
#pragma once

namespace huebird {

struct DesktopAbilities {
    bool placesWindows = true;  // a window goes where the program puts it
    // A drag by the background is best left to the compositor (asked at the press), which
    // knows where the pointer truly is: through Xwayland a window that moves itself under the
    // pointer sees the pointer's place skewed by its own moves.
    bool compositorDrags = false;
    bool movesPointer = true;     // the program may move the pointer (a pick's one-pixel steps)
    bool readsScreenLive = true;  // screen pixels can be read at any moment, not one capture
    bool workArea = true;         // the desktop says which part of the screen panels leave free
    bool globalHotKey = true;     // a key pressed in any program can reach us
    bool tray = true;             // a tray icon may be shown (whether a tray runs is asked later)
    friend bool operator==(const DesktopAbilities&, const DesktopAbilities&) = default;
};

}  // namespace huebird
