// Start-up of the real program on an X display: from exec to its window being mapped, and
// its peak memory once it has painted. Run it on a display with a copy of the app folder:
//   huebird_bench_startup APP_DIR [RUNS]
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

long PeakKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s APP_DIR [RUNS]\n", argv[0]);
        return 2;
    }
    const std::string exe = std::string(argv[1]) + "/huebird";
    const int runs = argc > 2 ? std::atoi(argv[2]) : 20;
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "no display\n");
        return 1;
    }
    XSelectInput(dpy, DefaultRootWindow(dpy), SubstructureNotifyMask);
    XSync(dpy, True);

    std::vector<double> startMs;
    std::vector<long> peakKiB;
    for (int r = 0; r < runs; ++r) {
        const auto t0 = Clock::now();
        const pid_t pid = fork();
        if (pid == 0) {
            execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        bool mapped = false;
        while (!mapped) {
            XEvent e;
            XNextEvent(dpy, &e);
            mapped = e.type == MapNotify;
        }
        startMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
        usleep(300 * 1000);  // let it paint and settle before reading its peak
        peakKiB.push_back(PeakKiB(pid));
        kill(pid, SIGKILL);  // no close: the settings file stays as it was
        waitpid(pid, nullptr, 0);
        XSync(dpy, True);
    }
    std::sort(startMs.begin(), startMs.end());
    std::sort(peakKiB.begin(), peakKiB.end());
    std::printf(
        "start-up, exec to window mapped: median %.1f ms, min %.1f ms, max %.1f ms (%d runs)\n",
        startMs[startMs.size() / 2], startMs.front(), startMs.back(), runs);
    std::printf("peak resident memory after first paint: median %.1f MiB, max %.1f MiB\n",
                peakKiB[peakKiB.size() / 2] / 1024.0, peakKiB.back() / 1024.0);
    XCloseDisplay(dpy);
    return 0;
}
