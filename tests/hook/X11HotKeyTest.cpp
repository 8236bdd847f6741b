// The program's side of the hot-key on a real display: the loader with the real library, with
// an older one and with broken or missing ones, the target property and the toggle arriving
// as a call on the user-interface thread.
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>
// clang-format off
#include <X11/Xlib.h>
#include <X11/keysym.h>
// clang-format on
#include <dlfcn.h>

#include <atomic>

#include "Clients.h"
#include "FakeKeys.h"
#include "hook/HookApi.h"
#include "platform/x11/X11HotKey.h"
#include "platform/x11/XDisplay.h"

namespace huebird {

namespace {

using Kind = HotKeyProblem::Kind;

// The block of a library loaded from `dir`, as the program sees it.
hook::HookBlock* BlockOf(const char* dir) {
    void* h = dlopen((std::string(dir) + "/" + hook::kLibraryName).c_str(), RTLD_NOW | RTLD_NOLOAD);
    return h ? static_cast<hook::HookBlock*>(reinterpret_cast<void* (*)()>(dlsym(h, "GetGMem"))())
             : nullptr;
}

class Presser {
  public:
    Presser() : dpy_(XOpenDisplay(nullptr)), keys_(dpy_) {}
    ~Presser() { XCloseDisplay(dpy_); }
    void Ctrl(KeySym sym) { keys_.Chord({keys_.Code(XK_Control_L), keys_.Code(sym)}); }
    // Holds Ctrl plus the key as another program would; false when the server refused.
    bool HoldCtrl(KeySym sym) {
        refused = false;
        const auto previous = XSetErrorHandler([](Display*, XErrorEvent* e) {
            if (e->error_code == BadAccess) refused = true;
            return 0;
        });
        XGrabKey(dpy_, keys_.Code(sym), ControlMask, DefaultRootWindow(dpy_), False, GrabModeAsync,
                 GrabModeAsync);
        XSync(dpy_, False);
        XSetErrorHandler(previous);
        return !refused;
    }

  private:
    static inline bool refused = false;
    Display* dpy_;
    testing::FakeKeys keys_;
};

// A window whose native window can be dropped and made anew, with a new id.
class RemakeableWidget : public QWidget {
  public:
    void Remake() {
        destroy();
        create();
    }
};

}  // namespace

class X11HotKeyTest : public QObject {
    Q_OBJECT

  private slots:
    void statusTextsBecomeProblems() {
        struct Case {
            int code;
            const char* text;
            std::optional<HotKeyProblem> expected;
        };
        const Case cases[] = {
            {0, "ok", std::nullopt},
            {2, "pending", std::nullopt},
            {1, "no-display", HotKeyProblem{Kind::NoDisplay, 0, "no-display"}},
            {1, "lost", HotKeyProblem{Kind::NoDisplay, 0, "lost"}},
            {1, "lost 87", HotKeyProblem{Kind::Other, 0, "lost 87"}},
            {1, "taken 87", HotKeyProblem{Kind::KeyTaken, 87, "taken 87"}},
            {1, "no-key 7", HotKeyProblem{Kind::NoKey, 7, "no-key 7"}},
            {1, "taken", HotKeyProblem{Kind::Other, 0, "taken"}},
            {1, "taken 8x", HotKeyProblem{Kind::Other, 0, "taken 8x"}},
            {1, "no-display 3", HotKeyProblem{Kind::Other, 0, "no-display 3"}},
            {1, "refused 87", HotKeyProblem{Kind::Other, 0, "refused 87"}},
            {1, "not-enabled", HotKeyProblem{Kind::Other, 0, "not-enabled"}},
        };
        for (const Case& c : cases) {
            QVERIFY2(ProblemFromStatus(c.code, c.text) == c.expected, c.text);
        }
    }

    void withoutTheLibraryTheKeyIsStillKept() {
        QTemporaryDir empty;
        X11HotKey hotKey;
        QVERIFY(!hotKey.Load(empty.path().toStdString()));
        QVERIFY2(hotKey.LoadError().find(hook::kLibraryName) != std::string::npos,
                 hotKey.LoadError().c_str());
        const auto problem = hotKey.Problem();
        QVERIFY(problem && problem->kind == Kind::NotLoaded);
        QCOMPARE(problem->reason, hotKey.LoadError());
        hotKey.SetKey(67);
        hotKey.Enable();
        QCOMPARE(hotKey.Key(), 67u);
        hotKey.Disable();
        QCOMPARE(hotKey.Key(), 67u);
    }

    void aLibraryLackingAnExportIsRefused() {
        X11HotKey hotKey;
        QVERIFY(!hotKey.Load(HUEBIRD_PARTIAL_HOOK_DIR));
        QVERIFY2(hotKey.LoadError().find("GetGMem") != std::string::npos,
                 hotKey.LoadError().c_str());
        QCOMPARE(hotKey.Problem()->kind, Kind::NotLoaded);
    }

    // An installed program looks beside itself, then in the library folder: the first folder
    // that has the library is the one used, and the folder Load is given plays no part.
    void theLibraryComesFromTheFirstFolderThatHasIt() {
        QTemporaryDir empty;
        const std::filesystem::path none = empty.path().toStdString();
        X11HotKey first({none, HUEBIRD_PARTIAL_HOOK_DIR, HUEBIRD_APP_DIR});
        QVERIFY(!first.Load(HUEBIRD_APP_DIR));
        QVERIFY2(first.LoadError().find("GetGMem") != std::string::npos, first.LoadError().c_str());

        X11HotKey nowhere({none, none / "lib"});
        QVERIFY(!nowhere.Load(HUEBIRD_APP_DIR));
        QVERIFY2(nowhere.LoadError().find((none / "lib").string()) != std::string::npos,
                 nowhere.LoadError().c_str());

        X11HotKey found({none, HUEBIRD_OLD_HOOK_DIR});
        QVERIFY2(found.Load(none), found.LoadError().c_str());
    }

    void aLibraryWithoutStatusIsUsedAndAssumedFine() {
        X11HotKey hotKey;
        QVERIFY2(hotKey.Load(HUEBIRD_OLD_HOOK_DIR), hotKey.LoadError().c_str());
        hotKey.SetKey(87);  // as read at start, before the library is enabled
        hotKey.Enable();
        hook::HookBlock* block = BlockOf(HUEBIRD_OLD_HOOK_DIR);
        QVERIFY(block);
        QCOMPARE(block->VirtualKey, 87u);
        QCOMPARE(block->ModifierFlags[0], 1);
        QCOMPARE(block->ModifierFlags[1], 0);
        QCOMPARE(block->ModifierFlags[2], 0);
        QVERIFY(!hotKey.Problem());
        block->VirtualKey = 90;  // what the block holds is the key
        QCOMPARE(hotKey.Key(), 90u);
        hotKey.SetKey(116);
        QCOMPARE(block->VirtualKey, 116u);
        hotKey.Disable();
        hotKey.Disable();
        void* h = dlopen(HUEBIRD_OLD_HOOK_DIR "/libhuebirdhook.so", RTLD_NOW | RTLD_NOLOAD);
        QCOMPARE(reinterpret_cast<int (*)()>(dlsym(h, "TestEnabled"))(), 0);
        QCOMPARE(hotKey.Key(), 116u);
    }

    // The real library: Ctrl plus the key reaches the window as one call, also after its
    // native window was made anew; a key another program holds is reported by its code.
    void theHotKeyTogglesTheWindow() {
        RemakeableWidget window;
        window.resize(120, 80);
        int toggles = 0;
        X11HotKey hotKey;
        hotKey.SetToggleTarget(&window, [&] { ++toggles; });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window, 20000));
        QVERIFY2(hotKey.Load(HUEBIRD_APP_DIR), hotKey.LoadError().c_str());
        hotKey.Enable();
        hotKey.SetKey(87);
        QVERIFY(!hotKey.Problem());

        Presser press;
        press.Ctrl(XK_w);
        QTRY_COMPARE_WITH_TIMEOUT(toggles, 1, 2000);

        const WId before = window.winId();
        window.Remake();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window, 20000));
        QVERIFY(window.winId() != before);
        press.Ctrl(XK_w);
        QTRY_COMPARE_WITH_TIMEOUT(toggles, 2, 2000);

        QVERIFY(press.HoldCtrl(XK_q));
        hotKey.SetKey(81);
        const auto problem = hotKey.Problem();
        QVERIFY(problem);
        QCOMPARE(problem->kind, Kind::KeyTaken);
        QCOMPARE(problem->key, 81u);

        hotKey.Disable();
        QCOMPARE(hotKey.Key(), 81u);
        QVERIFY(press.HoldCtrl(XK_w));  // released
        QCOMPARE(toggles, 2);
    }

    // The library's own connection dropped by the X server, with the toolkit's handler for a
    // broken connection (which ends the process) in place: the program goes on, the hot-key is
    // reported as not working, and it works again once the library has connected anew.
    void aLostLibraryConnectionIsReportedAndMadeAgain() {
        QWidget window;
        window.resize(120, 80);
        int toggles = 0;
        X11HotKey hotKey;
        hotKey.SetToggleTarget(&window, [&] { ++toggles; });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window, 20000));
        QVERIFY2(hotKey.Load(HUEBIRD_APP_DIR), hotKey.LoadError().c_str());
        hotKey.Enable();
        hotKey.SetKey(87);
        QVERIFY(!hotKey.Problem());

        Display* dpy = XDisplay();
        const XID library = testing::OtherConnection(dpy, {window.winId()});
        QVERIFY2(library != 0, "the library's connection is not found");
        XKillClient(dpy, library);
        XSync(dpy, False);
        const auto noDisplay = [&] {
            const auto problem = hotKey.Problem();
            return problem && problem->kind == Kind::NoDisplay;
        };
        QTRY_VERIFY_WITH_TIMEOUT(noDisplay(), 2000);
        QTRY_VERIFY_WITH_TIMEOUT(!hotKey.Problem(), 5000);
        Presser press;
        press.Ctrl(XK_w);
        QTRY_COMPARE_WITH_TIMEOUT(toggles, 1, 2000);
        hotKey.Disable();
    }
};

}  // namespace huebird

QTEST_MAIN(huebird::X11HotKeyTest)
#include "X11HotKeyTest.moc"
