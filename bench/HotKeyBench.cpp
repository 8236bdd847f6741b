// The hot-key library on an X display: what loading and enabling it adds to start-up on the
// user-interface thread, how soon its thread has the key, and the time from a key press
// (through XTEST) to the toggle message arriving at the window.
//   huebird_bench_hotkey APP_DIR [PRESSES]
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <dlfcn.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "FakeKeys.h"
#include "hook/HookApi.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace huebird::hook;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void Report(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-44s median %7.3f ms  p95 %7.3f ms  max %7.3f ms  (n=%zu)\n", what,
                ms[ms.size() / 2], ms[ms.size() * 95 / 100], ms.back(), ms.size());
}

// Waits for the toggle at `w`; false after `ms` without it.
bool WaitToggle(Display* dpy, Window w, Atom atom, int ms = 1000) {
    const auto until = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < until) {
        while (XPending(dpy) > 0) {
            XEvent e;
            XNextEvent(dpy, &e);
            if (e.type == ClientMessage && e.xclient.window == w &&
                e.xclient.message_type == atom && e.xclient.data.l[0] == kToggleWindowMessage)
                return true;
        }
        pollfd fd{ConnectionNumber(dpy), POLLIN, 0};
        poll(&fd, 1, 1);
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s APP_DIR [PRESSES]\n", argv[0]);
        return 2;
    }
    const std::string path = std::string(argv[1]) + "/" + kLibraryName;
    const int presses = argc > 2 ? std::atoi(argv[2]) : 100;
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "no display\n");
        return 1;
    }

    // Start-up, as the program does it: load, enable, take the block's address.
    const auto t0 = Clock::now();
    void* lib = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!lib) {
        std::fprintf(stderr, "%s\n", dlerror());
        return 1;
    }
    const auto enable = reinterpret_cast<EnableKeyHookFn>(dlsym(lib, "EnableKeyHook"));
    const auto getGMem = reinterpret_cast<GetGMemFn>(dlsym(lib, "GetGMem"));
    const auto disable = reinterpret_cast<DisableKeyHookFn>(dlsym(lib, "DisableKeyHook"));
    const auto status = reinterpret_cast<HookStatusFn>(dlsym(lib, "HookStatus"));
    const auto t1 = Clock::now();
    enable();
    auto* block = static_cast<HookBlock*>(getGMem());
    std::atomic_ref<std::uint32_t>(block->VirtualKey).store(87);
    const auto t2 = Clock::now();
    char text[64];
    status(text, sizeof text);
    const auto t3 = Clock::now();
    std::printf("%-44s %7.3f ms\n", "dlopen + dlsym (first load)", Ms(t1 - t0));
    std::printf("%-44s %7.3f ms\n", "EnableKeyHook + GetGMem + key (first)", Ms(t2 - t1));
    std::printf("%-44s %7.3f ms  (%s)\n", "  then key grabbed, off the UI thread", Ms(t3 - t2),
                text);

    std::vector<double> enableMs, readyMs;
    for (int i = 0; i < 30; ++i) {
        disable();
        const auto a = Clock::now();
        enable();
        getGMem();
        const auto b = Clock::now();
        status(text, sizeof text);
        const auto c = Clock::now();
        enableMs.push_back(Ms(b - a));
        readyMs.push_back(Ms(c - b));
    }
    Report("EnableKeyHook + GetGMem (UI thread)", enableMs);
    Report("  until the key is grabbed (library thread)", readyMs);

    // A target window of this process, and presses of Ctrl+W.
    const Window w = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 50, 50, 0, 0, 0);
    const unsigned long pid = getpid();
    XChangeProperty(dpy, w, XInternAtom(dpy, kTargetProperty, False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
    XMapWindow(dpy, w);
    XSync(dpy, False);
    const Atom atom = XInternAtom(dpy, kToggleAtom, False);
    huebird::testing::FakeKeys keys(dpy);
    const unsigned ctrl = keys.Code(XK_Control_L), key = keys.Code(XK_w);
    std::vector<double> pressMs;
    int lost = 0;
    for (int i = 0; i < presses; ++i) {
        const auto a = Clock::now();
        keys.Down(ctrl);
        keys.Down(key);
        XFlush(dpy);
        const bool arrived = WaitToggle(dpy, w, atom);
        const auto b = Clock::now();
        keys.Up(key);
        keys.Up(ctrl);
        XFlush(dpy);
        if (arrived) {
            pressMs.push_back(Ms(b - a));
        } else {
            ++lost;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!pressMs.empty()) Report("press Ctrl+W -> toggle at the window", pressMs);
    if (lost) std::printf("%d presses brought no toggle\n", lost);

    // A new key in the block until Ctrl plus it works, with no call to the library.
    std::vector<double> switchMs;
    for (int i = 0; i < 10; ++i) {
        const bool toF5 = i % 2 == 0;
        const unsigned next = keys.Code(toF5 ? XK_F5 : XK_w);
        const auto a = Clock::now();
        std::atomic_ref<std::uint32_t>(block->VirtualKey).store(toF5 ? 116 : 87);
        bool arrived = false;
        while (!arrived && Clock::now() - a < std::chrono::seconds(1)) {
            keys.Chord({ctrl, next});
            arrived = WaitToggle(dpy, w, atom, 2);
        }
        if (arrived) switchMs.push_back(Ms(Clock::now() - a));
    }
    if (!switchMs.empty()) Report("new key in the block -> its press works", switchMs);

    disable();
    XCloseDisplay(dpy);
    return lost == 0 ? 0 : 1;
}
