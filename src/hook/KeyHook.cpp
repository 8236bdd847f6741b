// The library's exports. The X connection, the grab and the toggle live on one thread of the
// library's own, so nothing here blocks the program's thread for more than a thread start.
#include <X11/Xlib.h>
#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>

#include "hook/HookApi.h"
#include "hook/KeyGrab.h"

#define HUEBIRD_HOOK_EXPORT extern "C" __attribute__((visibility("default")))

namespace huebird::hook {

namespace {

// Static storage: the address stays valid for as long as the library is loaded.
alignas(8) HookBlock gBlock{};

std::uint32_t CurrentKey() {
    return std::atomic_ref<std::uint32_t>(gBlock.VirtualKey).load(std::memory_order_acquire);
}

// The program calls KeyHookChanged after a new key, which wakes the thread at once. A key
// written without that call is still found by a look at the block this often, and a key
// another program held is tried again at the same look; between looks an idle thread sleeps.
constexpr std::chrono::milliseconds kLookInterval{2000};
constexpr std::chrono::milliseconds kStatusWait{200};

// A program that ends while the library's thread is stuck (an X server that no longer answers)
// is not held up longer than this.
constexpr std::chrono::milliseconds kExitWait{1000};

// What the library's thread tells the callers of the exports, under one mutex.
struct Shared {
    std::mutex mutex;
    std::condition_variable changed;
    bool stop = false;
    bool finished = false;        // the thread has ended (stopped, or no display at all)
    std::uint64_t requested = 0;  // status questions asked
    std::uint64_t answered = 0;   // the last one the thread has taken up
    std::uint32_t triedKey = 0;   // the key of the last grab
    bool tried = false;
    std::string status = "pending";
};

Shared gShared;
std::mutex gLifecycle;  // Enable, Disable and status calls, one at a time
std::thread gThread;
int gWake = -1;  // an eventfd that wakes the thread

void Wake() {
    if (gWake >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = write(gWake, &one, sizeof one);
    }
}

// Stops the thread and waits for it; the caller holds gLifecycle. With `bounded`, a thread that
// has not ended within kExitWait is left to the end of the process. The thread itself (an exit
// called on it) never waits for itself.
void Stop(bool bounded) {
    if (!gThread.joinable()) return;
    {
        std::lock_guard lock(gShared.mutex);
        gShared.stop = true;
    }
    Wake();
    if (gThread.get_id() == std::this_thread::get_id()) {
        gThread.detach();
        return;
    }
    if (bounded) {
        std::unique_lock lock(gShared.mutex);
        if (!gShared.changed.wait_for(lock, kExitWait, [] { return gShared.finished; })) {
            lock.unlock();
            gThread.detach();  // the wake stays open: the thread may still read it
            return;
        }
    }
    gThread.join();
    close(gWake);
    gWake = -1;
}

// A program that ends without DisableKeyHook (exit on an error path) must not be aborted by a
// running std::thread at exit: the thread is stopped first. Declared after the state it uses,
// so it is destroyed before that state.
struct StopAtExit {
    ~StopAtExit() {
        std::lock_guard lifecycle(gLifecycle);
        Stop(true);
    }
} gStopAtExit;

void Publish(std::uint32_t key, const std::string& status, std::uint64_t answered) {
    {
        std::lock_guard lock(gShared.mutex);
        gShared.tried = true;
        gShared.triedKey = key;
        gShared.status = status;
        gShared.answered = answered;
    }
    gShared.changed.notify_all();
}

// A refusal that may end by itself: the other program lets the key go, or the server takes it
// after all. A code without a key waits for the key map to change, which wakes the thread.
bool WorthRetrying(const std::string& status) {
    return status.starts_with("taken ") || status.starts_with("refused ");
}

using Clock = std::chrono::steady_clock;

// Sleeps until `until`, woken by the program or by `fd` when it is not -1; true when `fd` has
// something.
bool Sleep(Clock::time_point until, int wake, int fd) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now());
    pollfd fds[2] = {{wake, POLLIN, 0}, {fd, POLLIN, 0}};
    poll(fds, fd >= 0 ? 2 : 1, static_cast<int>(std::max<std::int64_t>(left.count(), 0)));
    if (fds[0].revents & POLLIN) {
        std::uint64_t count = 0;
        [[maybe_unused]] const ssize_t n = read(wake, &count, sizeof count);
    }
    return fd >= 0 && fds[1].revents != 0;
}

// Holds the key on one connection until the program stops the library (true) or the
// connection is lost (false), which `lost` tells. `answered` is the last status question taken
// up.
bool Serve(Display* dpy, int wake, const std::atomic<bool>& lost, std::uint64_t& answered) {
    KeyGrab grab(dpy);  // the grab is released when it goes, on a connection that is still there
    bool grabbed = false;
    bool remap = false;
    std::uint32_t grabbedKey = 0;
    std::string status;
    Clock::time_point nextLook = Clock::now() + kLookInterval;
    for (;;) {
        std::uint64_t requested = 0;
        {
            std::lock_guard lock(gShared.mutex);
            if (gShared.stop) return true;
            requested = gShared.requested;
        }
        const std::uint32_t key = CurrentKey();
        const Clock::time_point now = Clock::now();
        const bool look = now >= nextLook;
        if (look) nextLook = now + kLookInterval;
        // A refused key is tried again when the program asks, and a held one at every look
        // by itself: the other program may have let it go.
        const bool retry =
            (requested != answered && status != "ok") || (look && WorthRetrying(status));
        if (!grabbed || key != grabbedKey || remap || retry) {
            status = grab.Grab(key);
            // On a lost connection every grab seems to succeed: nothing comes back.
            if (lost) return false;
            grabbed = true;
            grabbedKey = key;
            remap = false;
            Publish(key, status, requested);
        } else if (requested != answered) {
            Publish(key, status, requested);
        }
        answered = requested;

        while (!lost && XPending(dpy) > 0) {
            XEvent event;
            XNextEvent(dpy, &event);
            remap = grab.Handle(event) || remap;
        }
        if (lost) return false;
        if (remap) continue;
        // Asleep until the next look, unless the server or the program has something.
        Sleep(nextLook, wake, ConnectionNumber(dpy));
    }
}

void Run(int wake) {
    pthread_setname_np(pthread_self(), "huebird-hotkey");
    std::uint64_t answered = 0;
    bool everConnected = false;
    for (;;) {
        // Outlives the connection: its close may still see the loss.
        std::atomic<bool> lost{false};
        if (Display* dpy = XOpenDisplay(nullptr)) {
            everConnected = true;
            SetOwnDisplay(dpy);
            WatchLoss(dpy, &lost);
            const bool stopped = Serve(dpy, wake, lost, answered);
            XCloseDisplay(dpy);
            SetOwnDisplay(nullptr);  // after the close, which may still see the loss
            if (stopped) break;
        } else if (!everConnected) {
            std::lock_guard lock(gShared.mutex);
            gShared.status = "no-display";
            break;
        }
        // The connection is lost (or, tried again, not made): the key is not held. Said to
        // every question until a look makes the connection again; after an xkill of this
        // connection alone the X server is still there.
        const Clock::time_point nextLook = Clock::now() + kLookInterval;
        for (;;) {
            std::uint64_t requested = 0;
            {
                std::lock_guard lock(gShared.mutex);
                if (gShared.stop) break;
                requested = gShared.requested;
            }
            Publish(CurrentKey(), "lost", requested);
            answered = requested;
            if (Clock::now() >= nextLook) break;
            Sleep(nextLook, wake, -1);
        }
        std::lock_guard lock(gShared.mutex);
        if (gShared.stop) break;
    }
    {
        std::lock_guard lock(gShared.mutex);
        gShared.finished = true;
    }
    gShared.changed.notify_all();
}

void CopyText(const std::string& text, char* out, int size) {
    if (!out || size <= 0) return;
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(size) - 1);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

}  // namespace

}  // namespace huebird::hook

using namespace huebird::hook;

HUEBIRD_HOOK_EXPORT void EnableKeyHook() noexcept {
    std::lock_guard lifecycle(gLifecycle);
    if (gThread.joinable()) return;
    // The program's toolkit uses Xlib on its own thread too.
    XInitThreads();
    InstallErrorHandler();
    const int wake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wake < 0) return;
    {
        std::lock_guard lock(gShared.mutex);
        gShared.stop = false;
        gShared.finished = false;
        gShared.tried = false;
        gShared.requested = gShared.answered = 0;
        gShared.status = "pending";
    }
    try {
        gThread = std::thread(Run, wake);
        gWake = wake;
    } catch (...) {
        close(wake);
    }
}

HUEBIRD_HOOK_EXPORT void* GetGMem() noexcept { return &gBlock; }

HUEBIRD_HOOK_EXPORT void KeyHookChanged() noexcept {
    std::lock_guard lifecycle(gLifecycle);
    Wake();
}

HUEBIRD_HOOK_EXPORT void DisableKeyHook() noexcept {
    std::lock_guard lifecycle(gLifecycle);
    Stop(false);
}

HUEBIRD_HOOK_EXPORT int HookStatus(char* text, int size) noexcept {
    std::lock_guard lifecycle(gLifecycle);
    if (!gThread.joinable()) {
        CopyText("not-enabled", text, size);
        return kStatusProblem;
    }
    const std::uint32_t key = CurrentKey();
    std::unique_lock lock(gShared.mutex);
    // A key that is held needs no question: the thread itself hears of a key map that takes it
    // away. The program may ask as often as it likes without waking the thread.
    if (gShared.tried && gShared.triedKey == key && gShared.status == "ok") {
        CopyText(gShared.status, text, size);
        return kStatusOk;
    }
    const std::uint64_t request = ++gShared.requested;
    lock.unlock();
    Wake();
    lock.lock();
    const bool settled = gShared.changed.wait_for(lock, kStatusWait, [&] {
        return gShared.finished ||
               (gShared.tried && gShared.answered >= request && gShared.triedKey == key);
    });
    if (!settled) {
        CopyText("pending", text, size);
        return kStatusPending;
    }
    CopyText(gShared.status, text, size);
    return gShared.status == "ok" ? kStatusOk : kStatusProblem;
}
