// The palette window opened: created, shown and painted, on whatever display the toolkit
// uses ($DISPLAY, or QT_QPA_PLATFORM=offscreen). The first window pays for what is set up once
// (the pictures, the style's tab pieces, fonts); the later ones are what the user meets after.
//   huebird_bench_palette [RUNS] [SHOT_DIR]
// With SHOT_DIR it also writes the window as painted for every page, and with no page shown,
// as palette-<page>.png.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTabWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/fake/FakeScreen.h"
#include "ui/colour/PaletteForm.h"

namespace {

// The main window at (200, 150), 158 wide; the page a window closed on opens the next one.
struct Host {
    huebird::MainPlace place{QRect(200, 150, 158, 127), 158, QSize(158, 127)};
    huebird::DialogLinks links{[] {}, [] {}};
    int palIndex = 0;
};

// Notes the window's first paint.
class PaintWatch : public QObject {
  public:
    bool painted = false;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted = true;
        return QObject::eventFilter(watched, event);
    }
};

// Milliseconds from construction until the window and its page have painted.
double OpenOnce(Host& host, huebird::ScreenSampler& screen) {
    QElapsedTimer timer;
    timer.start();
    auto* form = new huebird::PaletteForm(host.place, host.links, host.palIndex, screen, 1024);
    QObject::connect(form, &huebird::PaletteForm::Closed,
                     [&host](int page) { host.palIndex = page; });
    PaintWatch watch;
    form->installEventFilter(&watch);
    form->show();
    while (!watch.painted) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents();  // the children's paints and the flush
    const double ms = timer.nsecsElapsed() / 1e6;
    form->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    Host host;
    huebird::FakeScreen screen;

    const double first = OpenOnce(host, screen);
    std::vector<double> again;
    for (int i = 0; i < runs; ++i) {
        host.palIndex = i % 4;
        again.push_back(OpenOnce(host, screen));
    }
    std::sort(again.begin(), again.end());
    std::printf(
        "palette window created, shown and painted (%s): first %.2f ms, then %.2f ms median, "
        "%.2f ms max (%d runs)\n",
        qPrintable(QGuiApplication::platformName()), first, again[again.size() / 2], again.back(),
        runs);

    if (argc > 2) {
        const QDir dir(QString::fromLocal8Bit(argv[2]));
        for (int page = -1; page < 4; ++page) {
            host.palIndex = page;
            auto* form =
                new huebird::PaletteForm(host.place, host.links, host.palIndex, screen, 1024);
            QObject::connect(form, &huebird::PaletteForm::Closed,
                             [&host](int page) { host.palIndex = page; });
            form->show();
            for (int i = 0; i < 10; ++i) QCoreApplication::processEvents();
            const QString name = page < 0 ? QStringLiteral("none") : QString::number(page);
            form->grab().save(dir.filePath(QStringLiteral("palette-%1.png").arg(name)));
            form->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    return 0;
}
