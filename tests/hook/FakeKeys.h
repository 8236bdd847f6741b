// Key presses as a person makes them, through the XTEST extension. The library is opened at run
// time (it comes with xdotool; its headers need not be installed).
#pragma once

#include <X11/Xlib.h>
#include <dlfcn.h>

#include <initializer_list>
#include <stdexcept>

namespace huebird::testing {

class FakeKeys {
  public:
    explicit FakeKeys(Display* dpy) : dpy_(dpy) {
        void* lib = dlopen("libXtst.so.6", RTLD_NOW | RTLD_LOCAL);
        if (lib) fake_ = reinterpret_cast<Fn>(dlsym(lib, "XTestFakeKeyEvent"));
        if (!fake_) throw std::runtime_error("libXtst.so.6 with XTestFakeKeyEvent is needed");
    }

    void Down(unsigned keycode) { fake_(dpy_, keycode, True, CurrentTime); }
    void Up(unsigned keycode) { fake_(dpy_, keycode, False, CurrentTime); }
    unsigned Code(KeySym sym) { return XKeysymToKeycode(dpy_, sym); }

    // Presses the keys in order and releases them in reverse, like Ctrl+W typed by hand.
    void Chord(std::initializer_list<unsigned> keycodes) {
        for (const unsigned k : keycodes) Down(k);
        for (auto k = std::rbegin(keycodes); k != std::rend(keycodes); ++k) Up(*k);
        XFlush(dpy_);
    }

  private:
    using Fn = int (*)(Display*, unsigned, Bool, unsigned long);
    Display* dpy_;
    Fn fake_ = nullptr;
};

}  // namespace huebird::testing
