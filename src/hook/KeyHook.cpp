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

// What the library's thread tells the callers of the exports, under one mutex.
struct Shared {
    std::mutex mutex;
    std::condition_variable changed;
    bool stop = false;
    bool finished = false;        // the thread has ended (no display)
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

// Stops the thread and waits for it; the caller holds gLifecycle.
void Stop() {
    if (!gThread.joinable()) return;
    {
        std::lock_guard lock(gShared.mutex);
        gShared.stop = true;
    }
    Wake();
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
        Stop();
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

void Run(int wake) {
    pthread_setname_np(pthread_self(), "huebird-hotkey");
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        {
            std::lock_guard lock(gShared.mutex);
            gShared.finished = true;
            gShared.status = "no-display";
        }
        gShared.changed.notify_all();
        return;
    }
    SetOwnDisplay(dpy);
    {
        KeyGrab grab(dpy);
        bool grabbed = false;
        bool remap = false;
        std::uint32_t grabbedKey = 0;
        std::string status;
        std::uint64_t answered = 0;
        using Clock = std::chrono::steady_clock;
        Clock::time_point nextLook = Clock::now() + kLookInterval;
        for (;;) {
            std::uint64_t requested = 0;
            {
                std::lock_guard lock(gShared.mutex);
                if (gShared.stop) break;
                requested = gShared.requested;
            }
            const std::uint32_t key = CurrentKey();
            const Clock::time_point now = Clock::now();
            const bool look = now >= nextLook;
            if (look) nextLook = now + kLookInterval;
            // A refused key is tried again when the program asks, and a held one at every look
            // by itself: the other program may have let it go.
            const bool retry = (requested != answered && status != "ok") ||
                               (look && WorthRetrying(status));
            if (!grabbed || key != grabbedKey || remap || retry) {
                status = grab.Grab(key);
                grabbed = true;
                grabbedKey = key;
                remap = false;
                Publish(key, status, requested);
            } else if (requested != answered) {
                Publish(key, status, requested);
            }
            answered = requested;

            while (XPending(dpy) > 0) {
                XEvent event;
                XNextEvent(dpy, &event);
                remap = grab.Handle(event) || remap;
            }
            if (remap) continue;
            // Asleep until the next look, unless the server or the program has something.
            const auto untilLook = std::chrono::ceil<std::chrono::milliseconds>(
                nextLook - Clock::now());
            pollfd fds[2] = {{ConnectionNumber(dpy), POLLIN, 0}, {wake, POLLIN, 0}};
            poll(fds, 2, static_cast<int>(std::max<std::int64_t>(untilLook.count(), 0)));
            if (fds[1].revents & POLLIN) {
                std::uint64_t count = 0;
                [[maybe_unused]] const ssize_t n = read(wake, &count, sizeof count);
            }
        }
    }  // the grab is released here
    SetOwnDisplay(nullptr);
    XCloseDisplay(dpy);
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
    Stop();
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
