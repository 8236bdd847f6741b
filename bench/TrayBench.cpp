// The tray on a real X display with a tray running (trayer): what the tray icon adds to
// start-up, and a click on the tray icon to the hidden main window showing again.
//   huebird_bench_tray APP_DIR [CLICKS]
//   huebird_bench_tray --startup TRAYDEMO [RUNS]
// The second form starts the tray test program (tests/e2e/traydemo.cpp) again and again, with
// and without its tray icon and hiding, and times each start from exec to its window mapped.
// APP_DIR is a copy of the app folder (its settings file is not written: the window is never
// closed). Start-up: the icon built in memory against the icon files, and the tray icon
// created, then added once the window shows. Clicks: a button press and release sent by a second X
// connection to the icon's window, timed until that connection sees the main window mapped and its
// pixels on the screen; the clicks are spaced beyond the double-click interval.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPixmapCache>
#include <QStyleHints>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11Desktop.h"
#include "platform/x11/X11HotKey.h"
#include "platform/x11/X11ScreenSampler.h"
#include "ui/shell/AppIcon.h"
#include "ui/shell/MainForm.h"
#include "ui/shell/Presence.h"
#include "ui/shell/TrayIcon.h"

// Xlib after Qt: its macros take names Qt uses.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <time.h>

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double CpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

Display* QtDisplay() {
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->display();
}

void Settle() {
    QCoreApplication::processEvents();
    XSync(QtDisplay(), False);
    QCoreApplication::processEvents();
}

// Runs the event loop for `ms` milliseconds.
void Run(int ms) {
    const auto until = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < until) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(500);
    }
}

struct Stats {
    double median, max, mean;
};

Stats Summary(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    double sum = 0;
    for (double x : v) sum += x;
    return {v[v.size() / 2], v.back(), sum / v.size()};
}

// Mean wall time of `step` over `runs`, in microseconds.
double MeanUs(int runs, const std::function<void()>& step) {
    const auto t0 = Clock::now();
    for (int i = 0; i < runs; ++i) step();
    return Ms(Clock::now() - t0) * 1000 / runs;
}

class Host : public huebird::TrayHost {
  public:
    explicit Host(huebird::MainForm& form) : form_(form) {}
    QMenu* PopupMenu1() const override { return form_.PopupMenu1(); }
    QString HotKeyName() const override { return QStringLiteral("Ctrl+W"); }
    bool HotKeyWorks() const override { return true; }
    bool GlobalKeysReachUs() const override { return true; }

  private:
    huebird::MainForm& form_;
};

// The window an XEmbed tray holds the icon in.
QWidget* IconWindow() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->inherits("QSystemTrayIconSys") && w->isVisible()) return w;
    }
    return nullptr;
}

unsigned long PixelAt(Display* dpy, int x, int y) {
    XImage* img = XGetImage(dpy, DefaultRootWindow(dpy), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!img) return 0;
    const unsigned long p = XGetPixel(img, 0, 0) & 0xFFFFFF;
    XDestroyImage(img);
    return p;
}

void SendButton(Display* dpy, Window target, bool press, Time time) {
    XEvent e{};
    e.xbutton.type = press ? ButtonPress : ButtonRelease;
    e.xbutton.window = target;
    e.xbutton.root = DefaultRootWindow(dpy);
    e.xbutton.subwindow = None;
    e.xbutton.time = time;
    e.xbutton.x = e.xbutton.y = 8;
    e.xbutton.same_screen = True;
    e.xbutton.button = Button1;
    e.xbutton.state = press ? 0 : Button1Mask;
    XSendEvent(dpy, target, True, press ? ButtonPressMask : ButtonReleaseMask, &e);
    XFlush(dpy);
}

// From exec to the program's window titled "Huebird" mapped, in milliseconds.
double StartOnce(Display* dpy, const char* program, bool withTray) {
    const auto t0 = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (!std::freopen("/dev/null", "w", stdout) || !std::freopen("/dev/null", "w", stderr)) {
            _exit(126);
        }
        if (withTray) {
            execl(program, program, static_cast<char*>(nullptr));
        } else {
            execl(program, program, "--no-tray", static_cast<char*>(nullptr));
        }
        _exit(127);
    }
    double ms = -1;
    while (ms < 0) {
        XEvent e;
        XNextEvent(dpy, &e);
        if (e.type != MapNotify) continue;
        char* name = nullptr;
        if (XFetchName(dpy, e.xmap.window, &name) && name) {
            if (std::string(name) == "Huebird") ms = Ms(Clock::now() - t0);
            XFree(name);
        }
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return ms;
}

int Startup(const char* program, int runs) {
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "no display\n");
        return 1;
    }
    XSelectInput(dpy, DefaultRootWindow(dpy), SubstructureNotifyMask);
    XSync(dpy, True);
    std::vector<double> with, without;
    for (int r = 0; r < runs; ++r) {  // alternating, so both see the same load
        without.push_back(StartOnce(dpy, program, false));
        usleep(150000);
        with.push_back(StartOnce(dpy, program, true));
        usleep(150000);
    }
    const Stats a = Summary(without), b = Summary(with);
    std::printf(
        "start-up to the window mapped: without the tray %.2f ms median (mean %.2f), "
        "with it %.2f ms median (mean %.2f): %+.2f ms median, %+.2f ms mean (%d runs each)\n",
        a.median, a.mean, b.median, b.mean, b.median - a.median, b.mean - a.mean, runs);
    XCloseDisplay(dpy);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::string(argv[1]) == "--startup") {
        return Startup(argv[2], argc > 3 ? std::atoi(argv[3]) : 30);
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s APP_DIR [CLICKS]\n", argv[0]);
        return 2;
    }
    const int clicks = argc > 2 ? std::atoi(argv[2]) : 20;
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    // The icon: drawn in memory at the tray's size, against read from the icon files.
    const QString icons = QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("icons"));
    const double drawnUs = MeanUs(200, [] {
        const QIcon icon = huebird::AppIcon();
        (void)icon.pixmap(22);
    });
    const double filesUs = MeanUs(200, [&] {
        QPixmapCache::clear();
        QIcon icon;
        for (const int s : huebird::kAppIconSizes) {
            icon.addFile(QStringLiteral("%1/huebird-%2.png").arg(icons).arg(s), QSize(s, s));
        }
        (void)icon.pixmap(22);
    });
    const double wholeSetUs = MeanUs(20, [] {
        for (const int s : huebird::kAppIconSizes) (void)huebird::AppIconImage(s);
    });
    std::printf(
        "icon at 22 px: drawn in memory %.0f us, read from the icon files %.0f us "
        "(mean of 200); drawing the whole set 16..256: %.0f us\n",
        drawnUs, filesUs, wholeSetUs);

    huebird::X11Desktop desktop;
    huebird::X11ScreenSampler screen;
    huebird::X11Clipboard clipboard;
    huebird::X11HotKey hotKey;
    huebird::MainForm form(argv[1], {desktop, screen, clipboard, hotKey});
    if (form.EndRequested()) {
        std::fprintf(stderr, "%s\n", qPrintable(form.EndReason()));
        return 1;
    }
    form.Timer2()->stop();
    desktop.KeepOffTaskbar(&form);
    form.move(200, 200);
    form.show();
    for (int i = 0; i < 10; ++i) Settle();
    Host host(form);

    // The tray icon. Created during the start-up steps (the main window shows already here,
    // so it joins the tray at the next turn of the event loop, as it does after the window's
    // first paint in the program); then the toolkit's icon made, added and docked, which the
    // program does once its window is on the screen. The first time in a process pays for
    // everything the toolkit sets up once (looking for a session bus among it).
    huebird::TrayIcon* tray = nullptr;
    huebird::Presence presence(form, host, [&] { return tray && tray->Shown(); });
    double cpu0 = CpuMs();
    auto t0 = Clock::now();
    tray = new huebird::TrayIcon(host, presence, &app);
    const double createUs = Ms(Clock::now() - t0) * 1000;
    cpu0 = CpuMs();
    t0 = Clock::now();
    while (!IconWindow() && Ms(Clock::now() - t0) < 5000) QCoreApplication::processEvents();
    const double addMs = Ms(Clock::now() - t0), addCpuMs = CpuMs() - cpu0;
    Settle();
    if (!IconWindow() || !tray->Shown()) {
        std::fprintf(stderr, "no tray: start one (trayer) on this display first\n");
        return 1;
    }
    std::vector<double> again;
    for (int i = 0; i < 10; ++i) {
        delete tray;
        tray = nullptr;
        Run(100);
        t0 = Clock::now();
        tray = new huebird::TrayIcon(host, presence, &app);
        while (!IconWindow()) QCoreApplication::processEvents();
        again.push_back(Ms(Clock::now() - t0));
        Run(300);
    }
    std::printf(
        "tray icon: created during start-up %.0f us; made, added and docked after the "
        "window shows: first %.2f ms wall (%.2f ms CPU), again %.2f ms (median of 10)\n",
        createUs, addMs, addCpuMs, Summary(again).median);

    // Clicks on the icon, from outside, to the window shown again.
    Run(300);
    Display* probe = XOpenDisplay(nullptr);
    const Window main = static_cast<Window>(form.winId());
    XSelectInput(probe, main, StructureNotifyMask);
    XSync(probe, True);
    const QPoint centre = form.geometry().center();
    const unsigned long face = PixelAt(probe, centre.x(), centre.y());
    const int spacing = QGuiApplication::styleHints()->mouseDoubleClickInterval() + 100;
    const auto start = Clock::now();
    auto serverTime = [&] { return static_cast<Time>(Ms(Clock::now() - start)) + 1000; };
    std::vector<double> mapped, painted, hidden;
    for (int i = 0; i < clicks; ++i) {
        const Window icon = static_cast<Window>(IconWindow()->winId());
        XEvent e;
        // Hide.
        t0 = Clock::now();
        SendButton(probe, icon, true, serverTime());
        SendButton(probe, icon, false, serverTime());
        while (!XCheckTypedWindowEvent(probe, main, UnmapNotify, &e)) {
            QCoreApplication::processEvents();
        }
        hidden.push_back(Ms(Clock::now() - t0));
        Run(spacing);
        while (XCheckWindowEvent(probe, main, StructureNotifyMask, &e)) {
        }
        // Show.
        t0 = Clock::now();
        SendButton(probe, icon, true, serverTime());
        SendButton(probe, icon, false, serverTime());
        while (!XCheckTypedWindowEvent(probe, main, MapNotify, &e)) {
            QCoreApplication::processEvents();
        }
        mapped.push_back(Ms(Clock::now() - t0));
        while (PixelAt(probe, centre.x(), centre.y()) != face) QCoreApplication::processEvents();
        painted.push_back(Ms(Clock::now() - t0));
        Run(spacing);
    }
    const Stats m = Summary(mapped), p = Summary(painted), h = Summary(hidden);
    std::printf(
        "tray click to the window shown: mapped %.2f ms median (max %.2f), on the screen "
        "%.2f ms median (max %.2f, mean %.2f); to hidden %.2f ms median (%d clicks each)\n",
        m.median, m.max, p.median, p.max, p.mean, h.median, clicks);
    XCloseDisplay(probe);
    delete tray;
    return 0;
}
