// The X side of the hot-key, on the library's own connection and thread: the passive grab of
// Ctrl plus one key in every combination of the lock modifiers, and the window that receives
// the toggle.
#pragma once

#include <X11/Xlib.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace huebird::hook {

// Errors the X server reports on the library's own connection are counted here instead of
// reaching the program's handler; errors of any other connection go to the handler that was
// installed before. The same for the loss of a connection: Xlib's handler, or the one the
// program's toolkit put in its place, ends the process, which must not happen for the
// library's own connection. Installed once per process; the loss handler is put back in front
// at every call, should the program have set one of its own since.
void InstallErrorHandler();
void SetOwnDisplay(Display* dpy);

// From the moment the connection breaks (its X server ended, or the server dropped it),
// `lost` is set and Xlib's calls on it return at once with nothing, instead of the process
// being ended; the caller then lets the connection go with XCloseDisplay.
void WatchLoss(Display* dpy, std::atomic<bool>* lost);

class KeyGrab {
  public:
    explicit KeyGrab(Display* dpy);
    ~KeyGrab();
    KeyGrab(const KeyGrab&) = delete;
    KeyGrab& operator=(const KeyGrab&) = delete;

    // Releases the current grab and grabs Ctrl plus the key of the virtual-key code on every
    // key that carries its symbol. Gives the status text ("ok", "taken <vk>", "no-key <vk>",
    // "refused <vk>"); on any refusal nothing stays grabbed. The keys and locks to grab are
    // read from the server once per key and key map, so trying a refused key again costs one
    // round trip.
    std::string Grab(std::uint32_t vk);
    void Release();
    // The same without waiting for the server: nothing here needs its answer.
    void ReleaseUnsynced();

    // Handles one event of the connection; true when the key map changed and the key must be
    // grabbed again.
    bool Handle(XEvent& event);

    // Sends the toggle to the program's main window, found by its property.
    void SendToggle();

  private:
    bool Ours(unsigned keycode) const;
    bool Carries(Window w);
    Window FindTarget();

    Display* dpy_;
    Window root_;
    Atom toggleAtom_;
    Atom targetAtom_;
    bool detectableRepeat_ = false;
    // The keys and lock combinations for plannedVk_, until the key map changes.
    bool planned_ = false;
    std::uint32_t plannedVk_ = 0;
    std::vector<unsigned> plannedKeycodes_;
    std::vector<unsigned> plannedLocks_;
    std::vector<std::pair<unsigned, unsigned>> grabs_;  // keycode, modifiers
    std::vector<unsigned> keycodes_;
    std::vector<unsigned> down_;  // our keys pressed and not yet released
    Window target_ = None;
};

}  // namespace huebird::hook
