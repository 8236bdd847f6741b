// The main window's hot paths on a real X display, with the real screen sampler:
// one sampling tick of a pick (pixel, area, magnify, paint), and a full roll-up and unroll.
//   huebird_bench_window APP_DIR
#include <QApplication>
#include <QKeyEvent>
#include <QFile>
#include <QMenu>
#include <QThread>
#include <QTimer>
#include <X11/Xlib.h>
#undef KeyPress  // the toolkit has its own
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11HotKey.h"
#include "platform/x11/X11Desktop.h"
#include "platform/x11/X11ScreenSampler.h"
#include "ui/favourites/FavouriteItems.h"
#include "ui/shell/MainForm.h"
#include "ui/skin/Swatch.h"

namespace {

double CpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

void WarpPointer(int x, int y) {
    Display* dpy = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->display();
    XWarpPointer(dpy, None, DefaultRootWindow(dpy), 0, 0, 0, 0, x, y);
    XSync(dpy, False);
}

// Until the X server has seen every request and the window has painted.
void Settle() {
    QCoreApplication::processEvents();
    Display* dpy = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->display();
    XSync(dpy, False);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s APP_DIR\n", argv[0]);
        return 2;
    }
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    QApplication app(argc, argv);
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
    form.show();
    for (int i = 0; i < 20; ++i) Settle();

    // Sampling ticks, the pointer wandering so every tick has new pixels to show.
    auto* swatch = form.findChild<huebird::Swatch*>(QStringLiteral("Color1Img"));
    form.ColorMouseDown(swatch, Qt::LeftButton);
    form.Timer1()->stop();  // the ticks are driven here
    Settle();
    const int ticks = 2000;
    const double cpu0 = CpuMs();
    const auto wall0 = std::chrono::steady_clock::now();
    for (int i = 0; i < ticks; ++i) {
        WarpPointer(300 + i % 400, 300 + (i / 400) * 10);
        form.Timer1Timer();
        Settle();
    }
    const double cpuPerTick = (CpuMs() - cpu0) / ticks;
    const double wallPerTick =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wall0)
            .count() /
        ticks;
    // Keyboard nudges: an arrow key to the swatch and the magnifier updated on the screen.
    // The pick is running (its timer on) but its own ticks stay out of the measure.
    form.Timer1()->start(3600 * 1000);
    const int nudges = 400;
    double nudgeMs = 0, nudgeMax = 0;
    for (int i = 0; i < nudges; ++i) {
        QKeyEvent press(QEvent::KeyPress, i % 2 ? Qt::Key_Left : Qt::Key_Right, Qt::NoModifier);
        const auto t0 = std::chrono::steady_clock::now();
        QApplication::sendEvent(&form, &press);
        Settle();
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                .count();
        nudgeMs += ms;
        nudgeMax = std::max(nudgeMax, ms);
    }
    const bool nudged = form.Magnifier() != nullptr;
    form.Color1ImgMouseUp(swatch, Qt::LeftButton, false);
    if (!nudged) std::printf("(the pick had ended: the nudges below measured nothing)\n");
    std::printf(
        "keyboard nudge to swatch and magnifier painted: %.3f ms mean, %.3f ms max (%d nudges)\n",
        nudgeMs / nudges, nudgeMax, nudges);
    std::printf(
        "sampling tick (pixel, area, magnify, paint, pointer warp included): "
        "%.3f ms CPU, %.3f ms wall per tick; %.2f %% of a core at 10 ticks a second\n",
        cpuPerTick, wallPerTick, cpuPerTick * 10 / 1000 * 100);

    // Full roll-up and unroll, each step a real resize.
    form.move(400, 300);
    Settle();
    double upMs = 0, downMs = 0;
    const int rolls = 20;
    for (int i = 0; i < rolls; ++i) {
        WarpPointer(900, 700);
        auto t0 = std::chrono::steady_clock::now();
        form.Timer2Timer();
        Settle();
        upMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                    .count();
        WarpPointer(form.x() + 2, form.y() + 2);
        t0 = std::chrono::steady_clock::now();
        form.Timer2Timer();
        Settle();
        downMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                      .count();
    }
    std::printf("roll-up of %dx%d to %dx%d: %.2f ms wall; unroll: %.2f ms wall (mean of %d)\n",
                form.FullSize().width(), form.FullSize().height(), form.FlexWidth() + 1,
                form.FlexHeight() + 1, upMs / rolls, downMs / rolls, rolls);
    // The swatch menu's first favourites list with 1000 entries, every line read afresh.
    {
        QFile settings(QString::fromLocal8Bit(argv[1]) + QStringLiteral("/palora.ini"));
        settings.open(QIODevice::Append);
        QByteArray section = "\n[BookMarks]\n";
        for (int i = 0; i < 1000; ++i)
            section += "colour " + QByteArray::number(i) + "=" +
                       QByteArray::number(0x100000 + i * 4099, 16).toUpper().right(6) + "\n";
        settings.write(section);
    }
    // As the favourites manager's additions reach the swatch menu.
    auto* favourites = form.findChild<huebird::FavouriteItems*>();
    for (int i = 0; i < 1000; ++i) favourites->Add(0, QStringLiteral("colour %1").arg(i));
    auto* list = form.findChild<QMenu*>(QStringLiteral("N39"));
    double openMs = 0;
    const int opens = 20;
    for (int i = 0; i < opens; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        list->popup(QPoint(100, 100));
        list->repaint();  // painted now, not at the next turn of the loop
        Settle();
        openMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                      .count();
        list->hide();
        Settle();
    }
    std::printf("favourites menu of 1000 entries, opened and painted: %.2f ms wall (mean of %d)\n",
                openMs / opens, opens);
    return 0;
}
