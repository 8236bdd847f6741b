// The global hot-key: Ctrl plus one key, pressed in any program, hides or shows the main
// window.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace huebird {

// Why the hot-key does not work.
struct HotKeyProblem {
    enum class Kind {
        NotLoaded,  // what watches for the key is missing or unusable; reason says why
        NoDisplay,  // the display could not be reached, or was lost and is being tried again
        KeyTaken,   // another program holds Ctrl plus `key`
        NoKey,      // `key` has no key on this keyboard
        Other,      // anything else the library says; reason is its text
    };
    Kind kind = Kind::Other;
    std::uint32_t key = 0;  // the virtual-key code concerned (KeyTaken, NoKey)
    std::string reason;     // the desktop's own words, for the curious
    friend bool operator==(const HotKeyProblem&, const HotKeyProblem&) = default;
};

class HotKey {
  public:
    virtual ~HotKey() = default;

    // Starts watching for Ctrl plus the key given to SetKey (now or later). Returns at once:
    // whatever the desktop needs for it runs on its own. Nothing when already started. Where
    // it cannot work, Problem() says why; the key is still kept, to be written back at close.
    virtual void Start() = 0;
    // The key as a virtual-key code (1..125); a started hot-key takes a new key within 100 ms.
    virtual void SetKey(std::uint32_t vk) = 0;
    virtual std::uint32_t Key() const = 0;

    // Why the hot-key does not work now, or nothing when it works: asked afresh each time, so
    // callers keep no answer. A key another program held works by itself within about two
    // seconds of being let go, and a key a new layout took away is reported. A working key is
    // answered at once; otherwise the current key is first tried to the end (up to 200 ms).
    // Nothing as well when it cannot tell yet.
    virtual std::optional<HotKeyProblem> Problem() = 0;

    // Stops watching: the key is let go. Key() keeps answering. Safe to call twice.
    virtual void Stop() = 0;

    // Marks `window` (a top-level window) as the one the toggle is for, also after its native
    // window is made anew, and calls `onToggle` on the user-interface thread for each press of
    // the key, after the event that brought it has been handled.
    virtual void SetToggleTarget(QWidget* window, std::function<void()> onToggle) = 0;
};

}  // namespace huebird
