#include "hook/KeyGrab.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/keysym.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <mutex>

#include "hook/VirtualKeySyms.h"
#include "hook/HookApi.h"

namespace huebird::hook {

namespace {

std::atomic<Display*> gOwnDisplay{nullptr};
std::atomic<XErrorHandler> gPreviousHandler{nullptr};
std::atomic<XIOErrorHandler> gPreviousIOHandler{nullptr};
// Touched only on the library's thread: errors of its own connection are reported while that
// thread waits for a reply or syncs.
int gBadAccess = 0;
int gOtherErrors = 0;

int OnXError(Display* dpy, XErrorEvent* error) {
    if (dpy == gOwnDisplay.load()) {
        if (error->error_code == BadAccess) {
            ++gBadAccess;
        } else {
            ++gOtherErrors;
        }
        return 0;
    }
    const XErrorHandler previous = gPreviousHandler.load();
    return previous ? previous(dpy, error) : 0;
}

// Xlib calls the process's handler first and the connection's own exit step after it: for the
// library's connection neither may end the process. The previous handler prints a message and
// ends the process: for another connection that is what it always did.
int OnIOError(Display* dpy) {
    if (dpy == gOwnDisplay.load()) return 0;
    const XIOErrorHandler previous = gPreviousIOHandler.load();
    return previous ? previous(dpy) : 0;
}

void OnLost(Display*, void* lost) { static_cast<std::atomic<bool>*>(lost)->store(true); }

// The modifier bit a key symbol is mapped to (Num Lock's is usually Mod2), 0 when it is not a
// modifier on this keyboard.
unsigned ModifierMaskOf(Display* dpy, KeySym sym) {
    const KeyCode keycode = XKeysymToKeycode(dpy, sym);
    if (keycode == 0) return 0;
    XModifierKeymap* map = XGetModifierMapping(dpy);
    if (!map) return 0;
    unsigned mask = 0;
    for (int mod = 0; mod < 8 && mask == 0; ++mod) {
        for (int k = 0; k < map->max_keypermod; ++k) {
            if (map->modifiermap[mod * map->max_keypermod + k] == keycode) {
                mask = 1u << mod;
                break;
            }
        }
    }
    XFreeModifiermap(map);
    return mask;
}

// Every combination of the lock modifiers (Caps Lock, Num Lock and Scroll Lock where they are
// mapped), so the key works whatever locks are on.
std::vector<unsigned> LockCombinations(Display* dpy) {
    std::vector<unsigned> locks = {LockMask};
    for (const KeySym sym : {XK_Num_Lock, XK_Scroll_Lock}) {
        const unsigned mask = ModifierMaskOf(dpy, sym);
        if (mask != 0 && mask != ControlMask &&
            std::find(locks.begin(), locks.end(), mask) == locks.end()) {
            locks.push_back(mask);
        }
    }
    std::vector<unsigned> combinations;
    for (unsigned subset = 0; subset < (1u << locks.size()); ++subset) {
        unsigned mask = 0;
        for (std::size_t i = 0; i < locks.size(); ++i) {
            if (subset & (1u << i)) mask |= locks[i];
        }
        combinations.push_back(mask);
    }
    return combinations;
}

// The keys that give the symbol without or with Shift in the first group, read afresh from the
// server (a layout change moves them).
std::vector<unsigned> KeycodesOf(Display* dpy, KeySym sym) {
    std::vector<unsigned> keycodes;
    int minKeycode = 0, maxKeycode = 0;
    XDisplayKeycodes(dpy, &minKeycode, &maxKeycode);
    int perKeycode = 0;
    KeySym* map = XGetKeyboardMapping(dpy, minKeycode, maxKeycode - minKeycode + 1, &perKeycode);
    if (!map) return keycodes;
    const int columns = std::min(perKeycode, 2);
    for (int keycode = minKeycode; keycode <= maxKeycode; ++keycode) {
        for (int column = 0; column < columns; ++column) {
            if (map[(keycode - minKeycode) * perKeycode + column] == sym) {
                keycodes.push_back(keycode);
                break;
            }
        }
    }
    XFree(map);
    return keycodes;
}

}  // namespace

void InstallErrorHandler() {
    static std::once_flag once;
    std::call_once(once, [] { gPreviousHandler.store(XSetErrorHandler(OnXError)); });
    static std::mutex ioMutex;
    std::lock_guard lock(ioMutex);
    const XIOErrorHandler previous = XSetIOErrorHandler(OnIOError);
    if (previous != OnIOError) gPreviousIOHandler.store(previous);
}

void WatchLoss(Display* dpy, std::atomic<bool>* lost) { XSetIOErrorExitHandler(dpy, OnLost, lost); }

void SetOwnDisplay(Display* dpy) { gOwnDisplay.store(dpy); }

KeyGrab::KeyGrab(Display* dpy)
    : dpy_(dpy),
      root_(DefaultRootWindow(dpy)),
      toggleAtom_(XInternAtom(dpy, kToggleAtom, False)),
      targetAtom_(XInternAtom(dpy, kTargetProperty, False)) {
    // A held key then repeats as presses only, and the key stays down until it is released.
    Bool supported = False;
    XkbSetDetectableAutoRepeat(dpy, True, &supported);
    detectableRepeat_ = supported;
}

KeyGrab::~KeyGrab() { Release(); }

std::string KeyGrab::Grab(std::uint32_t vk) {
    Release();
    const std::string code = std::to_string(vk);
    const KeySym sym = VirtualKeyToKeysym(vk);
    if (sym == 0) return "no-key " + code;
    if (!planned_ || plannedVk_ != vk) {
        plannedKeycodes_ = KeycodesOf(dpy_, sym);
        plannedLocks_ = LockCombinations(dpy_);
        plannedVk_ = vk;
        planned_ = true;
    }
    keycodes_ = plannedKeycodes_;
    if (keycodes_.empty()) return "no-key " + code;

    gBadAccess = 0;
    gOtherErrors = 0;
    for (const unsigned keycode : keycodes_) {
        for (const unsigned lock : plannedLocks_) {
            XGrabKey(dpy_, static_cast<int>(keycode), ControlMask | lock, root_, False,
                     GrabModeAsync, GrabModeAsync);
            grabs_.emplace_back(keycode, ControlMask | lock);
        }
    }
    XSync(dpy_, False);  // the refusals, if any, arrive now
    if (gBadAccess == 0 && gOtherErrors == 0) return "ok";
    // A key that works only with some locks on would be worse than none: release it all and
    // say so.
    const bool taken = gBadAccess > 0;
    ReleaseUnsynced();
    keycodes_.clear();
    return (taken ? "taken " : "refused ") + code;
}

void KeyGrab::Release() {
    const bool any = !grabs_.empty();
    ReleaseUnsynced();
    if (any) XSync(dpy_, False);
}

void KeyGrab::ReleaseUnsynced() {
    for (const auto& [keycode, modifiers] : grabs_) {
        XUngrabKey(dpy_, static_cast<int>(keycode), modifiers, root_);
    }
    if (!grabs_.empty()) XFlush(dpy_);
    grabs_.clear();
    down_.clear();
}

bool KeyGrab::Ours(unsigned keycode) const {
    return std::find(keycodes_.begin(), keycodes_.end(), keycode) != keycodes_.end();
}

bool KeyGrab::Handle(XEvent& event) {
    switch (event.type) {
        case MappingNotify:
            XRefreshKeyboardMapping(&event.xmapping);
            if (event.xmapping.request != MappingKeyboard &&
                event.xmapping.request != MappingModifier)
                return false;
            planned_ = false;  // the keys and the locks may have moved
            return true;
        case KeyPress: {
            const unsigned keycode = event.xkey.keycode;
            // One press, one toggle: presses of a key that is still down are its auto-repeat.
            if (!Ours(keycode) || std::find(down_.begin(), down_.end(), keycode) != down_.end())
                return false;
            down_.push_back(keycode);
            SendToggle();
            return false;
        }
        case KeyRelease: {
            const unsigned keycode = event.xkey.keycode;
            if (!detectableRepeat_ && XEventsQueued(dpy_, QueuedAfterReading) > 0) {
                // Without detectable auto-repeat a repeat is a release and a press at the same
                // moment; the key stays down.
                XEvent next;
                XPeekEvent(dpy_, &next);
                if (next.type == KeyPress && next.xkey.keycode == keycode &&
                    next.xkey.time == event.xkey.time)
                    return false;
            }
            down_.erase(std::remove(down_.begin(), down_.end(), keycode), down_.end());
            return false;
        }
        default:
            return false;
    }
}

bool KeyGrab::Carries(Window w) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(dpy_, w, targetAtom_, 0, 1, False, XA_CARDINAL, &type,
                                          &format, &count, &after, &data);
    bool match = false;
    if (status == Success && data && type == XA_CARDINAL && format == 32 && count == 1) {
        // Format-32 items are longs on the client.
        match =
            *reinterpret_cast<const unsigned long*>(data) == static_cast<unsigned long>(getpid());
    }
    if (data) XFree(data);
    return match;
}

Window KeyGrab::FindTarget() {
    if (target_ != None && Carries(target_)) return target_;
    target_ = None;
    // The root's children, and their children and grandchildren: the window itself, in a
    // window manager's frame, or in a frame's inner wrapper.
    std::vector<Window> level = {root_};
    for (int depth = 0; depth < 3 && !level.empty(); ++depth) {
        std::vector<Window> next;
        for (const Window parent : level) {
            Window rootReturn = None, parentReturn = None;
            Window* children = nullptr;
            unsigned count = 0;
            if (!XQueryTree(dpy_, parent, &rootReturn, &parentReturn, &children, &count)) continue;
            for (unsigned i = 0; i < count && target_ == None; ++i) {
                if (Carries(children[i])) target_ = children[i];
                next.push_back(children[i]);
            }
            if (children) XFree(children);
            if (target_ != None) return target_;
        }
        level = std::move(next);
    }
    return None;
}

void KeyGrab::SendToggle() {
    const Window target = FindTarget();
    if (target == None) return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = target;
    event.xclient.message_type = toggleAtom_;
    event.xclient.format = 32;
    event.xclient.data.l[0] = kToggleWindowMessage;
    XSendEvent(dpy_, target, False, NoEventMask, &event);
    XFlush(dpy_);
}

}  // namespace huebird::hook
