// The "复制为" submenu on the display the toolkit is given (bench/run.sh: a virtual X display):
//   huebird_bench_copyas [RUNS]
// Building: every entry's text for a new colour and the submenu's items made afresh, as it does
// each time it opens. Opening: that, plus the menu shown and painted, flushed to the window.
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "Timing.h"

#include "core/CopyAs.h"
#include "ui/colour/CopyAsMenu.h"

namespace {

using huebird::bench::Clock;
using huebird::bench::Ms;
using huebird::bench::Report;

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;
    huebird::ColorValue colour = 0;
    huebird::CopyAsMenu menu(
        QStringLiteral("Copy as"), [&colour] { return colour; }, nullptr);

    std::vector<double> texts, build, open;
    std::size_t sink = 0;
    for (int i = 0; i < runs; ++i) {
        colour = (colour + 0x10F0F1) & 0xFFFFFF;
        Clock::time_point t0 = Clock::now();
        for (const huebird::CopyAsEntry& e : huebird::CopyAsEntries(colour)) sink += e.text.size();
        texts.push_back(Ms(Clock::now() - t0));

        colour = (colour + 0x10F0F1) & 0xFFFFFF;
        t0 = Clock::now();
        menu.Rebuild();
        build.push_back(Ms(Clock::now() - t0));
        sink += menu.actions().size();
    }
    for (int i = 0; i < std::min(runs, 50); ++i) {
        colour = (colour + 0x10F0F1) & 0xFFFFFF;
        const Clock::time_point t0 = Clock::now();
        menu.popup(QPoint(10, 10));  // rebuilt as it opens
        menu.repaint();
        QApplication::sync();
        open.push_back(Ms(Clock::now() - t0));
        menu.hide();
        QApplication::processEvents();
    }
    Report("every Copy as text", texts, 1);
    Report("Copy as submenu built with its texts", build, 1);
    Report("Copy as submenu opened and painted", open, 16);
    return sink == 0;
}
