// The real program's use of memory, files, processor and wake-ups over time, read from /proc
// while it runs on an X display. Two runs, each on a fresh process:
//   huebird_bench_resources pick APP_DIR SWATCH_X SWATCH_Y [WARMUP_S] [SECONDS]
//     picks for a while: a press on the swatch at (SWATCH_X, SWATCH_Y) of the window, the pointer
//     wandering over the screen, a release and a new press every few seconds; resident memory and
//     open files are sampled every second after the warm-up.
//   huebird_bench_resources idle APP_DIR [SETTLE_S] [SECONDS]
//     leaves the program alone with the pointer away from its window and counts, per thread,
//     the processor time and the context switches (each one a wake-up) over the window.
// Both print their figures, the goals and PASS or FAIL, and exit 1 when a goal is missed.
#include <X11/Xlib.h>
#include <dirent.h>
#include <dlfcn.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A "Name:   value" line of a /proc status file, as a number; -1 when it is missing.
long StatusField(const std::string& status, const std::string& name) {
    const std::size_t at = status.find("\n" + name + ":");
    if (at == std::string::npos) return -1;
    return std::atol(status.c_str() + at + name.size() + 2);
}

long ResidentKiB(pid_t pid) {
    return StatusField(ReadFile("/proc/" + std::to_string(pid) + "/status"), "VmRSS");
}

int OpenFiles(pid_t pid) {
    DIR* dir = opendir(("/proc/" + std::to_string(pid) + "/fd").c_str());
    if (!dir) return -1;
    int count = 0;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] != '.') ++count;
    }
    closedir(dir);
    return count;
}

struct ThreadUse {
    std::string name;
    long switches = 0;  // voluntary and involuntary context switches
    long cpuTicks = 0;  // utime + stime, in clock ticks
    double cpuMs = 0;   // time on a processor, from schedstat (nanoseconds)
};

std::map<long, ThreadUse> Threads(pid_t pid) {
    std::map<long, ThreadUse> threads;
    const std::string base = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(base.c_str());
    if (!dir) return threads;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.') continue;
        const std::string task = base + "/" + entry->d_name;
        ThreadUse use;
        use.name = ReadFile(task + "/comm");
        if (!use.name.empty() && use.name.back() == '\n') use.name.pop_back();
        const std::string status = ReadFile(task + "/status");
        use.switches = StatusField(status, "voluntary_ctxt_switches") +
                       StatusField(status, "nonvoluntary_ctxt_switches");
        // The fields after the command name, which is in parentheses and may hold blanks.
        const std::string stat = ReadFile(task + "/stat");
        const std::size_t close = stat.rfind(')');
        if (close != std::string::npos) {
            std::istringstream fields(stat.substr(close + 2));
            std::string field;
            for (int i = 3; i <= 15 && fields >> field; ++i) {
                if (i == 14 || i == 15) use.cpuTicks += std::atol(field.c_str());
            }
        }
        use.cpuMs = std::atof(ReadFile(task + "/schedstat").c_str()) / 1e6;
        threads[std::atol(entry->d_name)] = use;
    }
    closedir(dir);
    return threads;
}

// The program, started from its app folder; its first mapped top-level window.
struct Program {
    pid_t pid = -1;
    Window window = None;
};

Program Start(Display* dpy, const std::string& appDir) {
    XSelectInput(dpy, DefaultRootWindow(dpy), SubstructureNotifyMask);
    XSync(dpy, True);
    Program program;
    const std::string exe = appDir + "/huebird";
    program.pid = fork();
    if (program.pid == 0) {
        execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    const auto until = Clock::now() + 10s;
    while (program.window == None && Clock::now() < until) {
        while (XPending(dpy) > 0) {
            XEvent e;
            XNextEvent(dpy, &e);
            if (e.type == MapNotify && program.window == None) program.window = e.xmap.window;
        }
        std::this_thread::sleep_for(10ms);
    }
    return program;
}

void Stop(const Program& program) {
    if (program.pid <= 0) return;
    kill(program.pid, SIGKILL);  // no close: the settings file stays as it was
    waitpid(program.pid, nullptr, 0);
}

// Maps of top-level windows other than the main window since the last call: the magnifier.
int OtherMaps(Display* dpy, Window main) {
    int maps = 0;
    while (XPending(dpy) > 0) {
        XEvent e;
        XNextEvent(dpy, &e);
        if (e.type == MapNotify && e.xmap.window != main) ++maps;
    }
    return maps;
}

// Pointer and buttons as a person moves and presses them (XTEST, opened at run time: it comes
// with xdotool, its headers need not be installed).
class FakePointer {
  public:
    explicit FakePointer(Display* dpy) : dpy_(dpy) {
        void* lib = dlopen("libXtst.so.6", RTLD_NOW | RTLD_LOCAL);
        if (lib) {
            motion_ = reinterpret_cast<Motion>(dlsym(lib, "XTestFakeMotionEvent"));
            button_ = reinterpret_cast<Button>(dlsym(lib, "XTestFakeButtonEvent"));
        }
    }
    bool Usable() const { return motion_ && button_; }
    void Move(int x, int y) {
        motion_(dpy_, -1, x, y, CurrentTime);
        XFlush(dpy_);
    }
    void Press() {
        button_(dpy_, 1, True, CurrentTime);
        XFlush(dpy_);
    }
    void Release() {
        button_(dpy_, 1, False, CurrentTime);
        XFlush(dpy_);
    }

  private:
    using Motion = int (*)(Display*, int, int, int, unsigned long);
    using Button = int (*)(Display*, unsigned, Bool, unsigned long);
    Display* dpy_;
    Motion motion_ = nullptr;
    Button button_ = nullptr;
};

const char* Verdict(bool ok) { return ok ? "PASS" : "FAIL"; }

// Least-squares slope of the samples, in units per minute (one sample a second).
double SlopePerMinute(const std::vector<long>& samples) {
    const double n = static_cast<double>(samples.size());
    if (n < 2) return 0;
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double x = static_cast<double>(i), y = static_cast<double>(samples[i]);
        sx += x;
        sy += y;
        sxx += x * x;
        sxy += x * y;
    }
    return (n * sxy - sx * sy) / (n * sxx - sx * sx) * 60;
}

int Pick(Display* dpy, const std::string& appDir, int swatchX, int swatchY, int warmupS,
         int seconds) {
    FakePointer pointer(dpy);
    if (!pointer.Usable()) {
        std::fprintf(stderr,
                     "libXtst.so.6 with XTestFakeMotionEvent and XTestFakeButtonEvent is needed\n");
        return 2;
    }
    const Program program = Start(dpy, appDir);
    if (program.window == None) {
        std::fprintf(stderr, "the program showed no window\n");
        Stop(program);
        return 1;
    }
    std::this_thread::sleep_for(1s);  // start-up's own late steps
    int wx = 0, wy = 0;
    Window child = None;
    XTranslateCoordinates(dpy, program.window, DefaultRootWindow(dpy), 0, 0, &wx, &wy, &child);
    XWindowAttributes attributes{};
    XGetWindowAttributes(dpy, program.window, &attributes);
    const int windowW = std::max(attributes.width, 1), windowH = std::max(attributes.height, 1);
    const int screenW = DisplayWidth(dpy, DefaultScreen(dpy));
    const int screenH = DisplayHeight(dpy, DefaultScreen(dpy));
    OtherMaps(dpy, program.window);

    // One pick every three seconds: press on the swatch, cross the window (the magnifier then
    // covers it and uncovers it, so it is painted again), wander over the whole screen, release
    // wherever the pointer is.
    constexpr auto kPickLength = 3s;
    constexpr auto kMoveEvery = 20ms;
    int step = 0;
    const auto pick = [&](const std::function<void()>& eachMove) {
        pointer.Move(wx + swatchX, wy + swatchY);
        std::this_thread::sleep_for(50ms);
        pointer.Press();
        const auto pickEnd = Clock::now() + kPickLength;
        for (int i = 0; Clock::now() < pickEnd; ++i) {
            if (i < 20) {
                pointer.Move(wx + (i * 37) % windowW, wy + (i * 23) % windowH);
            } else {
                // A wide figure over the whole screen, so every tick has new pixels.
                ++step;
                const double t = step * 0.037;
                pointer.Move(
                    static_cast<int>(screenW / 2 + (screenW / 2 - 20) * std::sin(t)),
                    static_cast<int>(screenH / 2 + (screenH / 2 - 20) * std::sin(t * 1.7)));
            }
            std::this_thread::sleep_for(kMoveEvery);
            eachMove();
        }
        pointer.Release();
        std::this_thread::sleep_for(100ms);
    };

    const auto warmupEnd = Clock::now() + std::chrono::seconds(warmupS);
    while (Clock::now() < warmupEnd) pick([] {});
    OtherMaps(dpy, program.window);
    std::vector<long> rss;
    std::vector<int> fds, threads;
    const auto sample = [&] {
        rss.push_back(ResidentKiB(program.pid));
        fds.push_back(OpenFiles(program.pid));
        threads.push_back(static_cast<int>(Threads(program.pid).size()));
    };
    int picks = 0, magnifierMaps = 0;
    sample();
    const auto end = Clock::now() + std::chrono::seconds(seconds);
    auto nextSample = Clock::now() + 1s;
    while (Clock::now() < end) {
        pick([&] {
            if (Clock::now() >= nextSample) {
                sample();
                nextSample += 1s;
            }
        });
        ++picks;
        magnifierMaps += OtherMaps(dpy, program.window);
    }
    sample();
    const bool alive = kill(program.pid, 0) == 0 && waitpid(program.pid, nullptr, WNOHANG) == 0;
    Stop(program);
    if (rss.empty() || rss.front() < 0) {
        std::fprintf(stderr, "no samples\n");
        return 1;
    }

    const long first = rss.front(), last = rss.back();
    const long maxRss = *std::max_element(rss.begin(), rss.end());
    const long minRss = *std::min_element(rss.begin(), rss.end());
    const int minFd = *std::min_element(fds.begin(), fds.end());
    const int maxFd = *std::max_element(fds.begin(), fds.end());
    const bool flat = maxRss - minRss <= 2048;
    const bool filesStable = minFd == maxFd && fds.front() == fds.back();
    const bool picked = picks > 0 && magnifierMaps >= picks;
    std::printf(
        "picking for %d s after a %d s warm-up: %d picks, the magnifier shown %d times, "
        "%zu samples\n",
        seconds, warmupS, picks, magnifierMaps, rss.size());
    std::printf(
        "  resident memory: first %.2f MiB, last %.2f MiB, min %.2f MiB, max %.2f MiB, "
        "slope %+.3f MiB/min\n",
        first / 1024.0, last / 1024.0, minRss / 1024.0, maxRss / 1024.0,
        SlopePerMinute(rss) / 1024.0);
    std::printf(
        "  open files: first %d, last %d, min %d, max %d; threads: first %d, last %d, max %d\n",
        fds.front(), fds.back(), minFd, maxFd, threads.front(), threads.back(),
        *std::max_element(threads.begin(), threads.end()));
    std::printf("  %s every pick opened the magnifier and the program lived through them\n",
                Verdict(picked && alive));
    std::printf("  %s memory flat within 2 MiB (max - min = %.2f MiB)\n", Verdict(flat),
                (maxRss - minRss) / 1024.0);
    std::printf("  %s open files stable\n", Verdict(filesStable));
    return picked && alive && flat && filesStable ? 0 : 1;
}

int Idle(Display* dpy, const std::string& appDir, const std::string& label, int settleS,
         int seconds, bool judge) {
    XWarpPointer(dpy, None, DefaultRootWindow(dpy), 0, 0, 0, 0, DisplayWidth(dpy, 0) - 5,
                 DisplayHeight(dpy, 0) - 5);
    XSync(dpy, False);
    const Program program = Start(dpy, appDir);
    if (program.window == None) {
        std::fprintf(stderr, "the program showed no window\n");
        Stop(program);
        return 1;
    }
    std::this_thread::sleep_for(std::chrono::seconds(settleS));
    const auto before = Threads(program.pid);
    const long fdsBefore = OpenFiles(program.pid);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const auto after = Threads(program.pid);
    const long fdsAfter = OpenFiles(program.pid);
    const bool alive = kill(program.pid, 0) == 0 && waitpid(program.pid, nullptr, WNOHANG) == 0;
    Stop(program);

    const double tickMs = 1000.0 / sysconf(_SC_CLK_TCK);
    long switches = 0, ticks = 0;
    double cpuMs = 0;
    std::printf("idle for %d s, %s (after %d s to settle), %d open files before, %ld after:\n",
                seconds, label.c_str(), settleS, static_cast<int>(fdsBefore), fdsAfter);
    for (const auto& [tid, now] : after) {
        const auto was = before.find(tid);
        const ThreadUse start = was == before.end() ? ThreadUse{} : was->second;
        const long s = now.switches - start.switches;
        const long t = now.cpuTicks - start.cpuTicks;
        const double ms = now.cpuMs - start.cpuMs;
        switches += s;
        ticks += t;
        cpuMs += ms;
        std::printf(
            "  thread %-7ld %-16s %5ld wake-ups (%.2f/s)  cpu %4.0f ms (utime+stime), "
            "%.3f ms (schedstat)%s\n",
            tid, now.name.c_str(), s, static_cast<double>(s) / seconds, t * tickMs, ms,
            tid == program.pid ? "  [main]" : "");
    }
    const double perSecond = static_cast<double>(switches) / seconds;
    std::printf(
        "  all threads: %ld wake-ups (%.2f/s), cpu %.0f ms (utime+stime), %.3f ms (schedstat)\n",
        switches, perSecond, ticks * tickMs, cpuMs);
    if (!judge) {
        std::printf("  (for comparison; no goal)\n");
        return alive ? 0 : 1;
    }
    // utime+stime counts whole clock ticks: one tick is the smallest use it can show.
    const bool noCpu = ticks * tickMs <= tickMs && cpuMs < 10;
    const bool fewWakeUps = perSecond <= 1.0;
    std::printf("  %s no processor time (<= one clock tick, < 10 ms on a processor)\n",
                Verdict(noCpu));
    std::printf("  %s at most one wake-up a second (%.2f/s)\n", Verdict(fewWakeUps), perSecond);
    std::printf("  %s open files stable (%ld, %ld)\n", Verdict(fdsBefore == fdsAfter), fdsBefore,
                fdsAfter);
    return alive && noCpu && fewWakeUps && fdsBefore == fdsAfter ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if ((mode != "pick" || argc < 5) && (mode != "idle" || argc < 4)) {
        std::fprintf(stderr,
                     "usage: %s pick APP_DIR SWATCH_X SWATCH_Y [WARMUP_S] [SECONDS]\n"
                     "       %s idle APP_DIR LABEL [SETTLE_S] [SECONDS] [--no-goal]\n",
                     argv[0], argv[0]);
        return 2;
    }
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "no display\n");
        return 1;
    }
    int result = 0;
    if (mode == "pick") {
        result = Pick(dpy, argv[2], std::atoi(argv[3]), std::atoi(argv[4]),
                      argc > 5 ? std::atoi(argv[5]) : 10, argc > 6 ? std::atoi(argv[6]) : 60);
    } else {
        const bool judge = std::string(argv[argc - 1]) != "--no-goal";
        const int numbers = argc - (judge ? 0 : 1);
        result = Idle(dpy, argv[2], argv[3], numbers > 4 ? std::atoi(argv[4]) : 5,
                      numbers > 5 ? std::atoi(argv[5]) : 30, judge);
    }
    XCloseDisplay(dpy);
    return result;
}
