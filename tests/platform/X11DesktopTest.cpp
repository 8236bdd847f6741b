// The X11 desktop on a real X server (run by onx.sh, with and without a window manager):
// stays-on-top goes on and off in place, beside the taskbar hints, and both hold after the
// window is hidden and shown again; the work area is the current desktop's.
#include <QTest>
#include <QWidget>
#include <vector>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include "platform/x11/X11Desktop.h"
#include "platform/x11/XDisplay.h"

using namespace huebird;

namespace {

// The atom names in the window's _NET_WM_STATE, in order.
QStringList WmState(QWidget* window) {
    Display* dpy = XDisplay();
    QStringList names;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(dpy, static_cast<Window>(window->winId()),
                           XInternAtom(dpy, "_NET_WM_STATE", False), 0, 64, False, XA_ATOM, &type,
                           &format, &count, &after, &data) == Success &&
        data && format == 32) {
        const auto* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count; ++i) {
            char* name = XGetAtomName(dpy, atoms[i]);
            names << QString::fromLatin1(name);
            XFree(name);
        }
    }
    if (data) XFree(data);
    return names;
}

bool Has(QWidget* window, bool above) {
    const QStringList s = WmState(window);
    return s.contains(QStringLiteral("_NET_WM_STATE_SKIP_TASKBAR")) &&
           s.contains(QStringLiteral("_NET_WM_STATE_SKIP_PAGER")) &&
           s.contains(QStringLiteral("_NET_WM_STATE_ABOVE")) == above &&
           s.count(QStringLiteral("_NET_WM_STATE_SKIP_TASKBAR")) == 1;
}

// A window manager has the window (or, without one, nothing ever will).
bool Managed(QWidget* window) {
    Display* dpy = XDisplay();
    const Atom wmState = XInternAtom(dpy, "WM_STATE", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(dpy, static_cast<Window>(window->winId()), wmState, 0, 2, False, wmState,
                       &type, &format, &count, &after, &data);
    const bool managed = data && count > 0 && reinterpret_cast<const long*>(data)[0] != 0;
    if (data) XFree(data);
    return managed;
}

// Which of two managed windows the window manager stacks higher (_NET_CLIENT_LIST_STACKING
// runs from bottom to top); null when it lists neither.
QWidget* Higher(QWidget* a, QWidget* b) {
    Display* dpy = XDisplay();
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    QWidget* higher = nullptr;
    if (XGetWindowProperty(dpy, DefaultRootWindow(dpy),
                           XInternAtom(dpy, "_NET_CLIENT_LIST_STACKING", False), 0, 1024, False,
                           XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
        data) {
        const auto* ids = reinterpret_cast<const Window*>(data);
        for (unsigned long i = 0; i < count; ++i) {
            if (ids[i] == static_cast<Window>(a->winId())) higher = a;
            if (ids[i] == static_cast<Window>(b->winId())) higher = b;
        }
    }
    if (data) XFree(data);
    return higher;
}

// Which of two top-level windows is higher among the root's children (no window manager).
QWidget* HigherOnRoot(QWidget* a, QWidget* b) {
    Display* dpy = XDisplay();
    Window root = None, parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    QWidget* higher = nullptr;
    if (XQueryTree(dpy, DefaultRootWindow(dpy), &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count; ++i) {  // bottom to top
            if (children[i] == static_cast<Window>(a->winId())) higher = a;
            if (children[i] == static_cast<Window>(b->winId())) higher = b;
        }
    }
    if (children) XFree(children);
    return higher;
}

// What the X server knows of a window that did not show: its map state and its parent, which
// tells whether a window manager framed it.
QString Describe(QWidget* window) {
    Display* dpy = XDisplay();
    XWindowAttributes a{};
    const Window id = static_cast<Window>(window->winId());
    if (!XGetWindowAttributes(dpy, id, &a)) return QStringLiteral("the window is gone");
    Window root = None, parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    XQueryTree(dpy, id, &root, &parent, &children, &count);
    if (children) XFree(children);
    return QStringLiteral("map state %1, parent %2 (root %3), managed %4, states %5")
        .arg(a.map_state)
        .arg(parent)
        .arg(root)
        .arg(Managed(window))
        .arg(WmState(window).join(' '));
}

// Shown and exposed; a window manager busy at its start may take a while on a loaded machine.
bool Exposed(QWidget* window) { return QTest::qWaitForWindowExposed(window, 20000); }

}  // namespace

class X11DesktopTest : public QObject {
    Q_OBJECT

  private slots:
    void goesOnAndOffInPlace() {
        const bool withManager = qEnvironmentVariableIsSet("HUEBIRD_TEST_WM");
        X11Desktop desktop;
        QWidget window(nullptr, Qt::FramelessWindowHint);
        window.setGeometry(100, 100, 150, 130);
        desktop.SetStaysOnTop(&window, true);  // before the first show, as at start-up
        desktop.KeepOffTaskbar(&window);
        const WId id = window.winId();
        window.show();
        QVERIFY2(Exposed(&window), qPrintable(Describe(&window)));
        if (withManager) QTRY_VERIFY(Managed(&window));
        QTRY_VERIFY2(Has(&window, true), qPrintable(WmState(&window).join(' ')));
        const QRect place = window.geometry();

        for (const bool on : {false, true, false, true}) {
            desktop.SetStaysOnTop(&window, on);
            QTRY_VERIFY2(Has(&window, on), qPrintable(WmState(&window).join(' ')));
            QCOMPARE(window.winId(), id);
            QCOMPARE(window.geometry(), place);
        }

        if (!withManager) {
            // Nothing keeps a stacking order: turning the state on raises the window once.
            QWidget other(nullptr, Qt::FramelessWindowHint);
            other.setGeometry(120, 120, 150, 130);
            other.show();
            QVERIFY2(Exposed(&other), qPrintable(Describe(&other)));
            other.raise();
            QTRY_COMPARE(HigherOnRoot(&window, &other), &other);
            desktop.SetStaysOnTop(&window, true);
            QTRY_COMPARE(HigherOnRoot(&window, &other), &window);
        } else {
            // Another window brought forward stays under it while it is on, and covers it
            // once it is off.
            QWidget other(nullptr, Qt::FramelessWindowHint);
            other.setGeometry(120, 120, 150, 130);
            other.show();
            QVERIFY2(Exposed(&other), qPrintable(Describe(&other)));
            QTRY_VERIFY(Managed(&other));
            other.raise();
            QTest::qWait(200);
            QCOMPARE(Higher(&window, &other), &window);
            desktop.SetStaysOnTop(&window, false);
            QTRY_VERIFY(Has(&window, false));
            other.raise();
            QTRY_COMPARE(Higher(&window, &other), &other);
            desktop.SetStaysOnTop(&window, true);
            QTRY_COMPARE(Higher(&window, &other), &window);
        }

        // Hidden, a window manager lets the window go and drops its states; they come back.
        window.hide();
        if (withManager) QTRY_VERIFY(!Managed(&window));
        window.show();
        QVERIFY2(Exposed(&window), qPrintable(Describe(&window)));
        if (withManager) QTRY_VERIFY(Managed(&window));
        QTRY_VERIFY2(Has(&window, true), qPrintable(WmState(&window).join(' ')));
        QCOMPARE(window.winId(), id);

        // Turned off while hidden: it is shown without it.
        window.hide();
        if (withManager) QTRY_VERIFY(!Managed(&window));
        desktop.SetStaysOnTop(&window, false);
        window.show();
        QVERIFY2(Exposed(&window), qPrintable(Describe(&window)));
        if (withManager) QTRY_VERIFY(Managed(&window));
        QTest::qWait(100);
        QVERIFY2(Has(&window, false), qPrintable(WmState(&window).join(' ')));
    }

    // The work area of the current desktop, as a window manager publishes it on the root;
    // the screen when none does.
    void readsTheWorkArea() {
        if (qEnvironmentVariableIsSet("HUEBIRD_TEST_WM")) QSKIP("the window manager owns it");
        X11Desktop desktop;
        QCOMPARE(desktop.WorkArea(), (Rect{0, 0, 1024, 768}));
        Display* dpy = XDisplay();
        const Window root = DefaultRootWindow(dpy);
        const auto set = [&](const char* name, std::vector<long> values) {
            XChangeProperty(dpy, root, XInternAtom(dpy, name, False), XA_CARDINAL, 32,
                            PropModeReplace, reinterpret_cast<const unsigned char*>(values.data()),
                            static_cast<int>(values.size()));
            XSync(dpy, False);
        };
        set("_NET_WORKAREA", {10, 20, 500, 400, 0, 30, 1024, 700});
        QCOMPARE(desktop.WorkArea(), (Rect{10, 20, 510, 420}));  // no current desktop: the first
        set("_NET_CURRENT_DESKTOP", {1});
        QCOMPARE(desktop.WorkArea(), (Rect{0, 30, 1024, 730}));
        set("_NET_CURRENT_DESKTOP", {2});  // no area listed for it: the screen
        QCOMPARE(desktop.WorkArea(), (Rect{0, 0, 1024, 768}));
    }
};

QTEST_MAIN(X11DesktopTest)
#include "X11DesktopTest.moc"
