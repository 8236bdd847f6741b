// The hot-key library on a real X server (Xvfb, see run.sh): loaded as the program loads it,
// driven through its exports and the shared block, with key presses made through XTEST.
// GoogleTest before Xlib: Xlib's macros (None, Status, Bool) would break its templates.
#include <gtest/gtest.h>
// clang-format off
#include <X11/Xlib.h>
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/keysym.h>
// clang-format on
#include <dirent.h>
#include <dlfcn.h>
#include <poll.h>
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "Clients.h"
#include "FakeKeys.h"
#include "hook/HookApi.h"

namespace huebird::hook {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

struct Library {
    EnableKeyHookFn enable = nullptr;
    GetGMemFn gmem = nullptr;
    DisableKeyHookFn disable = nullptr;
    KeyHookChangedFn changed = nullptr;
    HookStatusFn status = nullptr;

    static const Library& Get() {
        static const Library lib = [] {
            Library l;
            void* h = dlopen(HUEBIRD_HOOK_LIBRARY, RTLD_NOW | RTLD_LOCAL);
            if (!h) throw std::runtime_error(dlerror());
            l.enable = reinterpret_cast<EnableKeyHookFn>(dlsym(h, "EnableKeyHook"));
            l.gmem = reinterpret_cast<GetGMemFn>(dlsym(h, "GetGMem"));
            l.disable = reinterpret_cast<DisableKeyHookFn>(dlsym(h, "DisableKeyHook"));
            l.changed = reinterpret_cast<KeyHookChangedFn>(dlsym(h, "KeyHookChanged"));
            l.status = reinterpret_cast<HookStatusFn>(dlsym(h, "HookStatus"));
            return l;
        }();
        return lib;
    }
};

// Another X client: a second connection that may hold keys of its own.
class OtherClient {
  public:
    OtherClient() : dpy_(XOpenDisplay(nullptr)) {}
    ~OtherClient() { XCloseDisplay(dpy_); }
    // True when the server gave it Ctrl plus the key.
    bool GrabCtrl(KeySym sym) {
        refused_ = false;
        const auto previous = XSetErrorHandler(&OtherClient::OnError);
        XGrabKey(dpy_, XKeysymToKeycode(dpy_, sym), ControlMask, DefaultRootWindow(dpy_), False,
                 GrabModeAsync, GrabModeAsync);
        XSync(dpy_, False);
        XSetErrorHandler(previous);
        return !refused_;
    }
    void UngrabCtrl(KeySym sym) {
        XUngrabKey(dpy_, XKeysymToKeycode(dpy_, sym), ControlMask, DefaultRootWindow(dpy_));
        XSync(dpy_, False);
    }

  private:
    static int OnError(Display*, XErrorEvent* e) {
        if (e->error_code == BadAccess) refused_ = true;
        return 0;
    }
    static inline bool refused_ = false;
    Display* dpy_;
};

class HookTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dpy_ = XOpenDisplay(nullptr);
        ASSERT_NE(dpy_, nullptr) << "needs an X display";
        keys_ = std::make_unique<testing::FakeKeys>(dpy_);
        toggleAtom_ = XInternAtom(dpy_, kToggleAtom, False);
        window_ = MakeTarget();
        lib_.enable();
        block_ = static_cast<HookBlock*>(lib_.gmem());
        ASSERT_NE(block_, nullptr);
        SetKey(87);
        block_->ModifierFlags[0] = 1;
        ASSERT_EQ(HookState(), "ok");
    }

    void TearDown() override {
        lib_.disable();
        XkbLockModifiers(dpy_, XkbUseCoreKbd, LockMask | NumLockMask(), 0);
        XDestroyWindow(dpy_, window_);
        XCloseDisplay(dpy_);
    }

    // A top-level window carrying the target property with our process id, as the program's
    // main window does. With a window manager running, waits until it has been framed.
    Window MakeTarget() {
        const Window w =
            XCreateSimpleWindow(dpy_, DefaultRootWindow(dpy_), 10, 10, 100, 80, 0, 0, 0);
        const unsigned long pid = getpid();
        XChangeProperty(dpy_, w, XInternAtom(dpy_, kTargetProperty, False), XA_CARDINAL, 32,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
        XMapWindow(dpy_, w);
        XSync(dpy_, False);
        if (std::getenv("HUEBIRD_TEST_WM")) {
            // A window manager that is still starting may miss the map: ask again.
            bool framed = false;
            for (int attempt = 0; attempt < 3 && !framed; ++attempt) {
                if (attempt > 0) {
                    XUnmapWindow(dpy_, w);
                    XMapWindow(dpy_, w);
                    XSync(dpy_, False);
                }
                const auto until = Clock::now() + 2s;
                while (!(framed = Framed(w)) && Clock::now() < until) {
                    std::this_thread::sleep_for(5ms);
                }
            }
            EXPECT_TRUE(framed) << "the window manager did not frame the window";
        }
        return w;
    }

    bool Framed(Window w) {
        Window root = None, parent = None, *children = nullptr;
        unsigned n = 0;
        XQueryTree(dpy_, w, &root, &parent, &children, &n);
        if (children) XFree(children);
        return parent != root;
    }

    // As the program does: the key into the block, then the call that has it taken at once.
    void SetKey(std::uint32_t vk) {
        WriteKey(vk);
        lib_.changed();
    }
    void WriteKey(std::uint32_t vk) {
        std::atomic_ref<std::uint32_t>(block_->VirtualKey).store(vk, std::memory_order_release);
    }

    std::string HookState(int* code = nullptr) {
        char text[64] = "unset";
        const int c = lib_.status(text, sizeof text);
        if (code) *code = c;
        return text;
    }

    // Asks until the library says `state`, for up to `within`.
    bool WaitForState(const std::string& state, std::chrono::milliseconds within = 2s) {
        const auto until = Clock::now() + within;
        while (HookState() != state) {
            if (Clock::now() >= until) return false;
            std::this_thread::sleep_for(10ms);
        }
        return true;
    }

    unsigned NumLockMask() {
        XModifierKeymap* map = XGetModifierMapping(dpy_);
        const KeyCode num = XKeysymToKeycode(dpy_, XK_Num_Lock);
        unsigned mask = 0;
        for (int i = 0; i < 8 * map->max_keypermod; ++i)
            if (map->modifiermap[i] == num) mask = 1u << (i / map->max_keypermod);
        XFreeModifiermap(map);
        return mask;
    }

    void PressCtrl(KeySym sym) { keys_->Chord({keys_->Code(XK_Control_L), keys_->Code(sym)}); }

    // Toggles that reach `w` within the time; with `first`, returns at the first one.
    int Toggles(std::chrono::milliseconds within, bool first = false, Window w = None) {
        if (w == None) w = window_;
        int count = 0;
        const auto until = Clock::now() + within;
        for (;;) {
            while (XPending(dpy_) > 0) {
                XEvent e;
                XNextEvent(dpy_, &e);
                if (e.type == ClientMessage && e.xclient.window == w &&
                    e.xclient.message_type == toggleAtom_ && e.xclient.format == 32 &&
                    e.xclient.data.l[0] == kToggleWindowMessage) {
                    ++count;
                    if (first) return count;
                }
            }
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
            if (left.count() <= 0) return count;
            pollfd fd{ConnectionNumber(dpy_), POLLIN, 0};
            poll(&fd, 1, static_cast<int>(left.count()));
        }
    }
    bool Toggled(Window w = None) { return Toggles(1s, true, w) == 1; }
    bool Quiet() { return Toggles(200ms) == 0; }

    const Library& lib_ = Library::Get();
    Display* dpy_ = nullptr;
    std::unique_ptr<testing::FakeKeys> keys_;
    Atom toggleAtom_ = None;
    Window window_ = None;
    HookBlock* block_ = nullptr;
};

TEST_F(HookTest, CtrlAndTheKeyToggleTheWindowAndNothingElseDoes) {
    PressCtrl(XK_w);
    EXPECT_TRUE(Toggled());
    keys_->Chord({keys_->Code(XK_w)});
    keys_->Chord({keys_->Code(XK_Control_L), keys_->Code(XK_q)});
    EXPECT_TRUE(Quiet());
    PressCtrl(XK_w);
    EXPECT_TRUE(Toggled());
}

TEST_F(HookTest, WorksWhateverLocksAreOn) {
    const unsigned num = NumLockMask();
    ASSERT_NE(num, 0u);
    for (const unsigned locks : {unsigned(LockMask), num, LockMask | num}) {
        SCOPED_TRACE(locks);
        XkbLockModifiers(dpy_, XkbUseCoreKbd, LockMask | num, locks);
        XkbStateRec state;
        XkbGetState(dpy_, XkbUseCoreKbd, &state);
        ASSERT_EQ(state.locked_mods & (LockMask | num), locks);
        PressCtrl(XK_w);
        EXPECT_TRUE(Toggled());
    }
}

TEST_F(HookTest, ANewKeyInTheBlockWorksWithin100ms) {
    SetKey(116);  // F5
    std::this_thread::sleep_for(100ms);
    PressCtrl(XK_F5);
    EXPECT_TRUE(Toggled());
    PressCtrl(XK_w);
    EXPECT_TRUE(Quiet());
    OtherClient other;
    EXPECT_TRUE(other.GrabCtrl(XK_w)) << "Ctrl+W is still held";
}

// Context switches of every thread but the main one: the library's thread, as nothing else here
// runs on its own.
long OtherThreadsSwitches() {
    long total = 0;
    DIR* dir = opendir("/proc/self/task");
    if (!dir) return -1;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.' || std::atol(entry->d_name) == getpid()) continue;
        std::ifstream status(std::string("/proc/self/task/") + entry->d_name + "/status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.find("ctxt_switches:") != std::string::npos)
                total += std::atol(line.c_str() + line.find(':') + 1);
        }
    }
    closedir(dir);
    return total;
}

TEST_F(HookTest, AnIdleHookSleepsAndStillTakesANewKeyAtOnce) {
    const long before = OtherThreadsSwitches();
    std::this_thread::sleep_for(1500ms);
    EXPECT_LE(OtherThreadsSwitches() - before, 2) << "the library's thread wakes while idle";
    // Written after a long sleep, the key is taken at once after the call...
    SetKey(116);
    std::this_thread::sleep_for(100ms);
    PressCtrl(XK_F5);
    EXPECT_TRUE(Toggled());
    // ...and, written with no call at all, within the library's slow look.
    WriteKey(87);
    std::this_thread::sleep_for(2500ms);
    PressCtrl(XK_w);
    EXPECT_TRUE(Toggled());
}

TEST_F(HookTest, AHeldKeyTogglesOnce) {
    XkbSetAutoRepeatRate(dpy_, XkbUseCoreKbd, 100, 20);
    XAutoRepeatOn(dpy_);
    const unsigned ctrl = keys_->Code(XK_Control_L), w = keys_->Code(XK_w);
    keys_->Down(ctrl);
    keys_->Down(w);
    XFlush(dpy_);
    EXPECT_EQ(Toggles(600ms), 1);  // some 25 repeats
    keys_->Up(w);
    keys_->Up(ctrl);
    XFlush(dpy_);
    EXPECT_TRUE(Quiet());
    PressCtrl(XK_w);  // the next press counts again
    EXPECT_TRUE(Toggled());
}

TEST_F(HookTest, AKeyAnotherProgramHoldsIsReportedAndTakenWhenFree) {
    SetKey(116);
    ASSERT_EQ(HookState(), "ok");
    OtherClient other;
    ASSERT_TRUE(other.GrabCtrl(XK_w));
    SetKey(87);
    int code = -1;
    EXPECT_EQ(HookState(&code), "taken 87");  // asked at once: the status waits for the grab
    EXPECT_EQ(code, kStatusProblem);
    // Nothing half-grabbed: with Caps Lock on the key is not ours either.
    XkbLockModifiers(dpy_, XkbUseCoreKbd, LockMask, LockMask);
    PressCtrl(XK_w);
    EXPECT_TRUE(Quiet());
    XkbLockModifiers(dpy_, XkbUseCoreKbd, LockMask, 0);

    other.UngrabCtrl(XK_w);
    EXPECT_EQ(HookState(&code), "ok");
    EXPECT_EQ(code, kStatusOk);
    PressCtrl(XK_w);
    EXPECT_TRUE(Toggled());
}

// Nobody asks the library anything once the key is refused: it finds by itself that the other
// program let go of it, or ended.
TEST_F(HookTest, AKeyAnotherProgramLetsGoWorksWithoutBeingAsked) {
    for (const bool ends : {false, true}) {
        SCOPED_TRACE(ends ? "the other program ends" : "the other program lets go");
        SetKey(116);
        ASSERT_EQ(HookState(), "ok");
        auto other = std::make_unique<OtherClient>();
        ASSERT_TRUE(other->GrabCtrl(XK_w));
        SetKey(87);
        // Asked twice, so that no question is left for the library to answer after this.
        ASSERT_EQ(HookState(), "taken 87");
        ASSERT_EQ(HookState(), "taken 87");
        if (ends) {
            other.reset();
        } else {
            other->UngrabCtrl(XK_w);
        }
        bool toggled = false;
        const auto until = Clock::now() + 5s;
        while (!toggled && Clock::now() < until) {
            PressCtrl(XK_w);
            toggled = Toggles(250ms, true) == 1;
        }
        EXPECT_TRUE(toggled) << "the key was not taken again by itself";
        EXPECT_EQ(HookState(), "ok");
    }
}

// A key that worked and that a new layout takes away is reported as gone, and works again when
// the layout gives it back.
TEST_F(HookTest, AKeyALayoutTakesAwayIsReportedAndComesBack) {
    const KeyCode w = keys_->Code(XK_w);
    int per = 0;
    KeySym* wSyms = XGetKeyboardMapping(dpy_, w, 1, &per);
    const std::vector<KeySym> nothing(per, NoSymbol);
    XChangeKeyboardMapping(dpy_, w, per, const_cast<KeySym*>(nothing.data()), 1);
    XSync(dpy_, False);
    const bool gone = WaitForState("no-key 87");
    XChangeKeyboardMapping(dpy_, w, per, wSyms, 1);
    XSync(dpy_, False);
    XFree(wSyms);
    EXPECT_TRUE(gone);
    EXPECT_TRUE(WaitForState("ok"));
    PressCtrl(XK_w);
    EXPECT_TRUE(Toggled());
}

TEST_F(HookTest, ACodeWithNoKeyIsReported) {
    for (const std::uint32_t vk : {7u, 0u, 1u}) {
        SetKey(vk);
        int code = -1;
        EXPECT_EQ(HookState(&code), "no-key " + std::to_string(vk));
        EXPECT_EQ(code, kStatusProblem);
    }
    PressCtrl(XK_w);
    EXPECT_TRUE(Quiet());
}

TEST_F(HookTest, DisableReleasesTheKeyAndIsSafeTwice) {
    lib_.disable();
    lib_.disable();
    int code = -1;
    EXPECT_EQ(HookState(&code), "not-enabled");
    EXPECT_EQ(code, kStatusProblem);
    OtherClient other;
    EXPECT_TRUE(other.GrabCtrl(XK_w));
    PressCtrl(XK_w);
    EXPECT_TRUE(Quiet());
    // Enabled again, it finds the key taken; the block kept its key.
    lib_.enable();
    EXPECT_EQ(static_cast<HookBlock*>(lib_.gmem()), block_);
    EXPECT_EQ(HookState(), "taken 87");
}

// A program that ends without DisableKeyHook (an exit on an error path) ends normally.
TEST_F(HookTest, AProcessMayEndWithTheHookEnabled) {
    lib_.disable();  // the child, forked from here, enables its own
    EXPECT_EXIT(
        {
            lib_.enable();
            if (HookState() == "ok") std::exit(3);
        },
        ::testing::ExitedWithCode(3), "");
}

// A handler for lost connections set after the library's own takes the library's connection
// too, and may end the process from the library's thread: the process ends as that handler
// says, not aborted by the library waiting for its own thread at exit.
TEST_F(HookTest, AnExitOnTheLibrarysThreadEndsTheProcessAsAsked) {
    lib_.disable();  // the child, forked from here, enables its own
    EXPECT_EXIT(
        {
            lib_.enable();
            if (HookState() != "ok") std::exit(1);
            XSetIOErrorHandler([](Display*) -> int { std::exit(4); });
            // A connection of the child's own: the test's is shared with the parent.
            Display* dpy = XOpenDisplay(nullptr);
            const Window w = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 1, 1, 0, 0, 0);
            const XID library = testing::OtherConnection(dpy, {window_, w});
            if (library == 0) std::exit(2);
            XKillClient(dpy, library);
            XSync(dpy, False);
            for (;;) pause();
        },
        ::testing::ExitedWithCode(4), "");
}

TEST_F(HookTest, WithoutADisplayTheStatusSaysSo) {
    lib_.disable();
    const std::string display = std::getenv("DISPLAY");
    unsetenv("DISPLAY");
    lib_.enable();
    int code = -1;
    const std::string status = HookState(&code);
    lib_.disable();
    setenv("DISPLAY", display.c_str(), 1);
    EXPECT_EQ(status, "no-display");
    EXPECT_EQ(code, kStatusProblem);
}

// The library's own connection closed by the server (xkill of it, the server still there): the
// process goes on, the status says the connection is lost, and at a later look the library
// connects again and the key works as before. Asked for its state at once and often, the
// library must not make the loss worse either.
TEST_F(HookTest, ALostConnectionIsReportedAndMadeAgain) {
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round == 0 ? "the first connection" : "the one made again");
        const XID library = testing::OtherConnection(dpy_, {window_});
        ASSERT_NE(library, 0u) << "the library's connection is not found";
        XKillClient(dpy_, library);
        XSync(dpy_, False);
        int code = -1;
        EXPECT_TRUE(WaitForState("lost"));
        EXPECT_EQ(HookState(&code), "lost");
        EXPECT_EQ(code, kStatusProblem);
        PressCtrl(XK_w);
        EXPECT_TRUE(Quiet());
        EXPECT_TRUE(WaitForState("ok", 5s));
        PressCtrl(XK_w);
        EXPECT_TRUE(Toggled());
    }
}

TEST_F(HookTest, ALayoutChangeMovesTheGrab) {
    // Swap the symbols of the W and Q keys, as a new keyboard layout would.
    const KeyCode w = keys_->Code(XK_w), q = keys_->Code(XK_q);
    int per = 0;
    KeySym* wSyms = XGetKeyboardMapping(dpy_, w, 1, &per);
    KeySym* qSyms = XGetKeyboardMapping(dpy_, q, 1, &per);
    XChangeKeyboardMapping(dpy_, w, per, qSyms, 1);
    XChangeKeyboardMapping(dpy_, q, per, wSyms, 1);
    XSync(dpy_, False);
    std::this_thread::sleep_for(100ms);
    keys_->Chord({keys_->Code(XK_Control_L), q});
    const bool movedKeyToggles = Toggled();
    keys_->Chord({keys_->Code(XK_Control_L), w});
    const bool oldKeyQuiet = Quiet();
    XChangeKeyboardMapping(dpy_, w, per, wSyms, 1);
    XChangeKeyboardMapping(dpy_, q, per, qSyms, 1);
    XSync(dpy_, False);
    XFree(wSyms);
    XFree(qSyms);
    EXPECT_TRUE(movedKeyToggles);
    EXPECT_TRUE(oldKeyQuiet);
}

// Hidden by the first toggle, the window must still get the second one.
TEST_F(HookTest, TheToggleReachesAHiddenWindow) {
    XWithdrawWindow(dpy_, window_, DefaultScreen(dpy_));
    XSync(dpy_, False);
    std::this_thread::sleep_for(100ms);  // a window manager lets go of it
    PressCtrl(XK_w);
    EXPECT_TRUE(Toggled());
}

TEST_F(HookTest, TheToggleFindsANewMainWindow) {
    PressCtrl(XK_w);
    ASSERT_TRUE(Toggled());
    XDestroyWindow(dpy_, window_);
    window_ = MakeTarget();
    PressCtrl(XK_w);
    EXPECT_TRUE(Toggled());
}

}  // namespace
}  // namespace huebird::hook
