// The library's exports. The X connection, the grab and the toggle live on one thread of the
// library's own, so nothing here blocks the program's thread for more than a thread start.
#include <X11/Xlib.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
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

// The block has a page of its own, so that the library can see the program write to it: while
// the library's thread sleeps the page is read-only, the program's first store faults, and the
// fault handler makes the page writable again and wakes the thread before the store goes
// through. A new key is so taken at once, and an idle thread sleeps until something happens.
// Where no page or handler can be had, the thread looks at the block every 50 ms instead.
// Either way the address stays valid for as long as the library is loaded (never unmapped).
alignas(8) HookBlock gStaticBlock{};

struct BlockPage {
    HookBlock* block = &gStaticBlock;
    char* page = nullptr;  // the block's own page, when it has one
    std::size_t size = 0;
};

const BlockPage& Page() {
    static const BlockPage page = [] {
        BlockPage p;
        const long size = sysconf(_SC_PAGESIZE);
        if (size < static_cast<long>(sizeof(HookBlock))) return p;
        void* mem = mmap(nullptr, static_cast<std::size_t>(size), PROT_READ | PROT_WRITE,
                         MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mem == MAP_FAILED) return p;
        p.page = static_cast<char*>(mem);
        p.size = static_cast<std::size_t>(size);
        p.block = new (mem) HookBlock{};
        return p;
    }();
    return page;
}

HookBlock& Block() { return *Page().block; }

std::uint32_t CurrentKey() {
    return std::atomic_ref<std::uint32_t>(Block().VirtualKey).load(std::memory_order_acquire);
}

constexpr std::chrono::milliseconds kPollInterval{50};

// The write watch: the page and an eventfd the fault handler signals, both set once and kept
// for the life of the process (a handler running late must never meet a closed descriptor).
std::atomic<char*> gWatchedPage{nullptr};
std::size_t gWatchedSize = 0;
std::atomic<int> gWriteSignal{-1};
struct sigaction gPreviousFaultAction {};

void OnFault(int signal, siginfo_t* info, void* context) {
    char* page = gWatchedPage.load(std::memory_order_acquire);
    const auto* address = static_cast<const char*>(info->si_addr);
    if (page && address >= page && address < page + gWatchedSize) {
        const int savedErrno = errno;
        mprotect(page, gWatchedSize, PROT_READ | PROT_WRITE);  // the store is retried on return
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = write(gWriteSignal.load(), &one, sizeof one);
        errno = savedErrno;
        return;
    }
    // Not the block: as if this handler were not there.
    const struct sigaction& previous = gPreviousFaultAction;
    if (previous.sa_flags & SA_SIGINFO) {
        previous.sa_sigaction(signal, info, context);
    } else if (previous.sa_handler == SIG_DFL || previous.sa_handler == SIG_IGN) {
        // The fault happens again on return and ends the process as it would have.
        ::signal(signal, SIG_DFL);
    } else {
        previous.sa_handler(signal);
    }
}

// True when the write watch is in place; tried once.
bool WatchWrites() {
    static const bool watching = [] {
        const BlockPage& p = Page();
        if (!p.page) return false;
        const int fd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        if (fd < 0) return false;
        struct sigaction action {};
        action.sa_sigaction = OnFault;
        action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_RESTART;
        sigemptyset(&action.sa_mask);
        gWatchedSize = p.size;
        gWriteSignal.store(fd);
        gWatchedPage.store(p.page, std::memory_order_release);
        if (sigaction(SIGSEGV, &action, &gPreviousFaultAction) != 0) {
            gWatchedPage.store(nullptr);
            close(fd);
            gWriteSignal.store(-1);
            return false;
        }
        return true;
    }();
    return watching;
}

// Read-only while the thread sleeps; writable whenever the thread is not running.
void ProtectBlock(bool readOnly) {
    const BlockPage& p = Page();
    if (p.page) mprotect(p.page, p.size, readOnly ? PROT_READ : PROT_READ | PROT_WRITE);
}
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
    ProtectBlock(false);
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

void Run(int wake, bool watching) {
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
        for (;;) {
            std::uint64_t requested = 0;
            {
                std::lock_guard lock(gShared.mutex);
                if (gShared.stop) break;
                requested = gShared.requested;
            }
            // Protected before the read: a store after it faults and wakes the thread again.
            if (watching) ProtectBlock(true);
            const std::uint32_t key = CurrentKey();
            // A refused key is tried again when the program asks: the other program may have
            // let it go.
            const bool retry = requested != answered && status != "ok";
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
            pollfd fds[3] = {{ConnectionNumber(dpy), POLLIN, 0},
                             {wake, POLLIN, 0},
                             {watching ? gWriteSignal.load() : -1, POLLIN, 0}};
            poll(fds, 3, watching ? -1 : static_cast<int>(kPollInterval.count()));
            for (int i = 1; i < 3; ++i) {
                if (fds[i].revents & POLLIN) {
                    std::uint64_t count = 0;
                    [[maybe_unused]] const ssize_t n = read(fds[i].fd, &count, sizeof count);
                }
            }
        }
    }  // the grab is released here
    if (watching) ProtectBlock(false);
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
    const bool watching = WatchWrites();
    try {
        gThread = std::thread(Run, wake, watching);
        gWake = wake;
    } catch (...) {
        close(wake);
    }
}

HUEBIRD_HOOK_EXPORT void* GetGMem() noexcept { return &Block(); }

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
