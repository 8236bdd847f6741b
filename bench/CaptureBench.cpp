// A pick's start on a Wayland session, inside a running session (WAYLAND_DISPLAY and DISPLAY
// set): from the press to the picture ready for the first sample, through the compositor's
// screen copy or the desktop portal, then one sample while the pointer moves over the picture.
//   huebird_bench_capture wlr|portal [ROUNDS]
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "core/Magnifier.h"
#include "platform/wayland/CapturedScreen.h"
#include "platform/wayland/PortalScreenshot.h"
#include "platform/wayland/WlrScreencopy.h"
#include "platform/x11/X11ScreenSampler.h"
#include "ui/colour/FrozenScreen.h"

using namespace huebird;

namespace {

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void Report(const char* what, const std::vector<double>& ms) {
    std::printf("%-48s median %8.3f ms  min %8.3f  max %8.3f  (%zu rounds)\n", what, Median(ms),
                *std::min_element(ms.begin(), ms.end()), *std::max_element(ms.begin(), ms.end()),
                ms.size());
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    const bool portal = argc > 1 && std::strcmp(argv[1], "portal") == 0;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 20;
    X11ScreenSampler xServer(false);
    std::vector<std::unique_ptr<ScreenCapture>> captures;
    if (portal) {
        captures.push_back(std::make_unique<PortalScreenshot>());
    } else {
        captures.push_back(std::make_unique<WlrScreencopy>());
    }
    CapturedScreen screen(xServer, std::move(captures));

    std::vector<double> capture, ready, sample;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer t;
        t.start();
        std::unique_ptr<PickSession> pick = screen.BeginPick();
        if (!pick) {
            std::fprintf(stderr, "no picture: %s (%s)\n", screen.PickProblem().c_str(),
                         screen.PickProblemDetail().c_str());
            return 1;
        }
        capture.push_back(t.nsecsElapsed() / 1e6);
        // The picture on screen, over every monitor, as the pick shows it.
        auto frozen = std::make_unique<FrozenScreen>(*pick->Picture(), screen.Monitors());
        frozen->show();
        frozen->repaint();
        QCoreApplication::processEvents();
        ready.push_back(t.nsecsElapsed() / 1e6);
        // Samples as the timer takes them: the pointer, then the magnifier's area.
        for (int s = 0; s < 50; ++s) {
            QElapsedTimer st;
            st.start();
            const Point p = pick->Pointer();
            std::array<std::uint32_t, kSampleSize * kSampleSize> area;
            pick->ReadArea(p.x - kSampleSize / 2, p.y - kSampleSize / 2, kSampleSize, kSampleSize,
                           area.data());
            sample.push_back(st.nsecsElapsed() / 1e6);
        }
    }
    const Rect b = screen.Monitors().front().device;
    std::printf("desktop %d x %d, %s\n", b.width(), b.height(),
                portal ? "desktop portal" : "compositor's screen copy");
    Report("capture (press to picture in memory)", capture);
    Report("press to the picture shown, first sample ready", ready);
    Report("one sample over the picture", sample);
    return 0;
}
