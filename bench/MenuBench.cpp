// The swatch menu's first favourites list with many entries (1500 unless told), on a real X
// display: opening and painting it (every line painted reads the settings file afresh),
// scrolling it to its last entry when it scrolls, and choosing an entry (which reads the file
// again). A list that fits across the screen is laid out in columns instead.
//   huebird_bench_menu APP_DIR [ENTRIES]
// The app folder is copied to a scratch folder first; APP_DIR itself is left as it is.
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11HotKey.h"
#include "platform/x11/X11Desktop.h"
#include "platform/x11/X11ScreenSampler.h"
#include "ui/shell/MainForm.h"

// Xlib after Qt: its macros take names Qt uses.
#include <X11/Xlib.h>
#include <time.h>
#undef KeyPress  // an X event type, and the name of the key event sent below

namespace {

double CpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// Until the X server has seen every request and every window has painted.
void Settle() {
    QCoreApplication::processEvents();
    Display* dpy = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->display();
    XSync(dpy, False);
    QCoreApplication::processEvents();
}

struct Timing {
    double wallMs = 0, cpuMs = 0;
};

// Mean wall and CPU time of `step` over `runs`; `between` runs untimed after each.
Timing Measure(int runs, const std::function<void()>& step, const std::function<void()>& between) {
    Timing total;
    for (int i = 0; i < runs; ++i) {
        const double cpu0 = CpuMs();
        const auto wall0 = std::chrono::steady_clock::now();
        step();
        total.wallMs +=
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wall0)
                .count();
        total.cpuMs += CpuMs() - cpu0;
        between();
    }
    return {total.wallMs / runs, total.cpuMs / runs};
}

// The app folder's settings without any favourites list, automatic size off, and `entries`
// entries c0, c1, ... in the first list.
QByteArray SettingsWithFavourites(const QByteArray& original, int entries) {
    QByteArray kept;
    bool inFavourites = false;
    for (const QByteArray& line : original.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith('[')) inFavourites = trimmed.toLower().startsWith("[bookmarks");
        if (inFavourites || trimmed.toLower().startsWith("autoflex=")) continue;
        kept += line + '\n';
    }
    kept.replace("[System]\n", "[System]\nAutoFlex=0\n");
    kept += "[BookMarks]\n";
    for (int i = 0; i < entries; ++i) {
        kept += "c" + QByteArray::number(i) + "=" +
                QByteArray::number(0x100000 + 4099 * i, 16).toUpper().rightJustified(6, '0') + "\n";
    }
    return kept;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s APP_DIR [ENTRIES]\n", argv[0]);
        return 2;
    }
    const int entries = argc > 2 ? std::atoi(argv[2]) : 1500;
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication app(argc, argv);

    QTemporaryDir scratch;
    std::error_code ec;
    const std::filesystem::path folder = scratch.path().toStdString();
    std::filesystem::copy(argv[1], folder, std::filesystem::copy_options::recursive, ec);
    if (ec) {
        std::fprintf(stderr, "cannot copy %s: %s\n", argv[1], ec.message().c_str());
        return 1;
    }
    QFile settings(scratch.filePath(QStringLiteral("palora.ini")));
    if (!settings.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "no palora.ini in %s\n", argv[1]);
        return 1;
    }
    const QByteArray text = SettingsWithFavourites(settings.readAll(), entries);
    settings.close();
    if (!settings.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        settings.write(text) != text.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(settings.fileName()));
        return 1;
    }
    settings.close();

    huebird::X11Desktop desktop;
    huebird::X11ScreenSampler screen;
    huebird::X11Clipboard clipboard;
    huebird::X11HotKey hotKey;
    huebird::MainForm form(folder, {desktop, screen, clipboard, hotKey});
    if (form.EndRequested()) {
        std::fprintf(stderr, "%s\n", qPrintable(form.EndReason()));
        return 1;
    }
    form.show();
    for (int i = 0; i < 20; ++i) Settle();

    auto* list = form.findChild<QMenu*>(QStringLiteral("N39"));
    if (!list || list->actions().size() != entries) {
        std::fprintf(stderr, "the first favourites list holds %d entries, not %d\n",
                     list ? static_cast<int>(list->actions().size()) : -1, entries);
        return 1;
    }
    // Open and painted means on the screen: the boxes of entry `i` and of the line in the
    // middle of the menu read back from the X server in their own colours.
    auto colorOf = [](int i) {
        const unsigned rgb = 0x100000u + 4099u * static_cast<unsigned>(i);
        return huebird::MakeColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    };
    auto boxShown = [&](int i) {
        const QPoint p =
            list->mapToGlobal(list->actionGeometry(list->actions().at(i)).topLeft() + QPoint(8, 8));
        return screen.BeginPick()->Pixel(p.x(), p.y()) == colorOf(i);
    };
    auto onScreen = [&](int i) {
        QAction* middle = list->actionAt(QPoint(50, list->height() / 2));
        const int m = middle ? static_cast<int>(list->actions().indexOf(middle)) : i;
        for (int tries = 0; tries < 2000; ++tries) {
            if (boxShown(i) && boxShown(m)) return true;
            Settle();
        }
        return false;
    };
    bool allShown = true;
    const QPoint at(100, 100);
    auto open = [&] {
        list->popup(at);
        list->repaint();  // painted now, not at the next turn of the loop
        Settle();
        allShown = onScreen(0) && allShown;
    };
    auto close = [&] {
        list->hide();
        Settle();
    };

    const Timing first = Measure(1, open, [] {});
    int shownLines = 0;
    for (QAction* a : list->actions())
        if (list->rect().intersects(list->actionGeometry(a))) ++shownLines;
    const QRect area = list->screen()->geometry();
    const QRect last = list->actionGeometry(list->actions().constLast());
    std::printf(
        "favourites list of %d entries (%lld bytes of settings) on a %dx%d screen: "
        "a %dx%d menu, %s, %d lines shown\n",
        entries, static_cast<long long>(text.size()), area.width(), area.height(), list->width(),
        list->height(), last.left() > 0 ? "in columns" : "one scrolling column", shownLines);
    close();

    const int opens = 20;
    const Timing again = Measure(opens, open, close);
    std::printf(
        "opened, painted and on the screen: first %.2f ms wall (%.2f ms CPU), then "
        "%.2f ms wall (%.2f ms CPU), mean of %d\n",
        first.wallMs, first.cpuMs, again.wallMs, again.cpuMs, opens);

    const bool scrolls = last.left() == 0 && !list->rect().contains(last);
    if (scrolls) {
        open();
        const int lastIndex = entries - 1;
        const Timing toEnd = Measure(
            opens,
            [&] {
                QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
                QCoreApplication::sendEvent(list, &end);
                list->repaint();
                Settle();
                allShown =
                    list->activeAction() == list->actions().constLast() &&
                    list->rect().contains(list->actionGeometry(list->actions().constLast())) &&
                    onScreen(lastIndex) && allShown;
            },
            [&] {
                close();
                open();
            });
        close();
        std::printf(
            "scrolled to the last entry, painted and on the screen: %.2f ms wall "
            "(%.2f ms CPU), mean of %d\n",
            toEnd.wallMs, toEnd.cpuMs, opens);
    }
    if (!allShown)
        std::printf("SOME LINES DID NOT REACH THE SCREEN: the figures above are wrong\n");

    const int clicks = 200;
    QAction* lastEntry = list->actions().constLast();
    const Timing click = Measure(
        clicks, [&] { lastEntry->trigger(); }, [&] { form.Colors().Undo(); });
    std::printf(
        "choosing an entry (file read, parse, apply): %.3f ms wall (%.3f ms CPU), "
        "mean of %d\n",
        click.wallMs, click.cpuMs, clicks);
    return allShown ? 0 : 1;
}
