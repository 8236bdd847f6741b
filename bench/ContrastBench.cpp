// The contrast dialog on the display the toolkit is given (bench/run.sh: a virtual X display):
//   huebird_bench_contrast [RUNS]
// Opening: construction, show, and the first paint of the whole dialog flushed to the window.
// A slider step: the bar moved by one, its handler (two strips repainted, the preview, the box,
// the contrast readout) and the repaint that follows, flushed.
#include <QApplication>
#include <QLabel>
#include <QSlider>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "Timing.h"

#include "ui/colour/ContrastForm.h"

namespace {

using huebird::bench::Clock;
using huebird::bench::Ms;
using huebird::bench::Report;

// Counts the paint events of the widgets it watches, to show the steps really repaint.
class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    const huebird::DialogLinks links{[] {}, [] {}};

    std::vector<double> opens;
    std::vector<double> steps;
    std::vector<double> handlers;
    PaintCounter counter;
    for (int run = 0; run < runs; ++run) {
        const auto t0 = Clock::now();
        auto* form = new huebird::ContrastForm(10 + run, 20, 30, links);
        form->show();
        form->repaint();
        QCoreApplication::processEvents();
        opens.push_back(Ms(Clock::now() - t0));

        auto* bar = form->findChild<QSlider*>(QStringLiteral("TrackBar2"));
        for (const char* name : {"RImage", "BImage", "Image1"})
            form->findChild<QLabel*>(QString::fromLatin1(name))->installEventFilter(&counter);
        for (int v = 21; v < 61; ++v) {
            const auto s0 = Clock::now();
            bar->setValue(v);
            const auto s1 = Clock::now();
            QCoreApplication::processEvents();  // the repaint the move asked for
            handlers.push_back(Ms(s1 - s0));
            steps.push_back(Ms(Clock::now() - s0));
        }
        delete form;
        QCoreApplication::processEvents();
    }
    std::printf("strip and preview paints per slider step: %.2f (3 expected)\n",
                double(counter.paints) / steps.size());
    std::printf("first opening (fonts, styles loaded): %.3f ms\n", opens.front());
    Report("contrast dialog opened and painted", opens, 30);
    Report("slider step: handler only", handlers, 2);
    Report("slider step: handler and repaint", steps, 2);
    return 0;
}
