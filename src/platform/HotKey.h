// The global hot-key: Ctrl plus one key, pressed in any program, hides or shows the main
// window. The hot-key library watches for it; the program loads the library from its own
// folder, keeps the key in the library's shared block and receives the library's toggle.
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
        NotLoaded,  // the library is missing or unusable; reason is the loader's message
        NoDisplay,  // the library could not reach the X display, or lost it and is trying again
        KeyTaken,   // another program holds Ctrl plus `key`
        NoKey,      // `key` has no key on this keyboard
        Other,      // anything else the library says; reason is its text
    };
    Kind kind = Kind::Other;
    std::uint32_t key = 0;  // the virtual-key code concerned (KeyTaken, NoKey)
    std::string reason;     // the loader's or the library's own words, for the curious
    friend bool operator==(const HotKeyProblem&, const HotKeyProblem&) = default;
};

class HotKey {
  public:
    virtual ~HotKey() = default;

    // Loads the hot-key library from the program's folder. False when it is missing or lacks
    // one of its three exports, with LoadError() saying why; the program then runs without the
    // hot-key and the key is still kept by SetKey and Key, to be written back at close.
    virtual bool Load(const std::filesystem::path& appDir) = 0;
    virtual std::string LoadError() const = 0;

    // Starts the library (EnableKeyHook, then GetGMem) and writes the flags 1, 0, 0 and the
    // key given to SetKey so far. Returns at once: the library connects and grabs on a thread
    // of its own. Does nothing without the library or when already enabled.
    virtual void Enable() = 0;
    // The Windows virtual-key code of the key (1..125), stored with the first flag 1. The
    // library takes the new key within 100 ms; nothing else is called.
    virtual void SetKey(std::uint32_t vk) = 0;
    virtual std::uint32_t Key() const = 0;

    // Why the hot-key does not work now, or nothing when it works: asked afresh each time, so
    // callers keep no answer. A key another program held works by itself within about two
    // seconds of being let go, and a key a new layout took away is reported. Asks the library,
    // which answers a working key at once; otherwise it first finishes trying the current key
    // (up to 200 ms) and tries a refused key again. Nothing as well when the library cannot
    // tell (it has no status export, or it is still busy). After a failed Load this is the
    // NotLoaded problem, so one question covers both.
    virtual std::optional<HotKeyProblem> Problem() = 0;

    // Stops the library: the key is released. Key() keeps answering. Safe to call twice.
    virtual void Disable() = 0;

    // Marks `window` (a top-level window) as the one the library's toggle is sent to, also
    // after its native window is made anew, and calls `onToggle` on the user-interface thread
    // for each toggle, after the event that brought it has been handled.
    virtual void SetToggleTarget(QWidget* window, std::function<void()> onToggle) = 0;
};

}  // namespace huebird
