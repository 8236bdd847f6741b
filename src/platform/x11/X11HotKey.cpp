#include "platform/x11/X11HotKey.h"

// Qt before Xlib: Xlib's macros (Status, Bool, None) break Qt's headers.
// clang-format off
#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <xcb/xcb.h>
// clang-format on
#include <dlfcn.h>
#include <unistd.h>

#include <atomic>
#include <charconv>

#include "hook/HookApi.h"
#include "platform/x11/XDisplay.h"

namespace huebird {

std::optional<HotKeyProblem> ProblemFromStatus(int code, std::string_view text) {
    if (code == hook::kStatusOk || code == hook::kStatusPending) return std::nullopt;
    HotKeyProblem problem{HotKeyProblem::Kind::Other, 0, std::string(text)};
    const std::size_t space = text.find(' ');
    const std::string_view word = text.substr(0, space);
    std::uint32_t key = 0;
    bool hasKey = false;
    if (space != std::string_view::npos) {
        const std::string_view number = text.substr(space + 1);
        const auto [end, error] =
            std::from_chars(number.data(), number.data() + number.size(), key);
        hasKey = error == std::errc() && end == number.data() + number.size();
    }
    // A lost connection is one the library cannot make again for now: to the user the same.
    if ((word == "no-display" || word == "lost") && space == std::string_view::npos) {
        problem.kind = HotKeyProblem::Kind::NoDisplay;
    } else if (word == "taken" && hasKey) {
        problem.kind = HotKeyProblem::Kind::KeyTaken;
        problem.key = key;
    } else if (word == "no-key" && hasKey) {
        problem.kind = HotKeyProblem::Kind::NoKey;
        problem.key = key;
    }
    return problem;
}

// Puts the target property on the window (again whenever its native window is made anew) and
// turns the library's client message into a queued call.
class X11HotKey::ToggleReceiver : public QObject, public QAbstractNativeEventFilter {
  public:
    ToggleReceiver(QWidget* window, std::function<void()> onToggle)
        : window_(window), onToggle_(std::move(onToggle)) {
        if (Display* dpy = XDisplay()) {
            toggleAtom_ = static_cast<std::uint32_t>(XInternAtom(dpy, hook::kToggleAtom, False));
        }
        window_->installEventFilter(this);
        MarkTarget();
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~ToggleReceiver() override {
        if (QCoreApplication::instance())
            QCoreApplication::instance()->removeNativeEventFilter(this);
    }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (toggleAtom_ == 0 || eventType != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & ~0x80) != XCB_CLIENT_MESSAGE) return false;
        const auto* client = static_cast<const xcb_client_message_event_t*>(message);
        if (client->type != toggleAtom_ || client->format != 32 ||
            client->data.data32[0] != static_cast<std::uint32_t>(hook::kToggleWindowMessage))
            return false;
        // Handled after this event, outside the toolkit's event processing; dropped if the
        // window has gone.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (window_ && onToggle_) onToggle_();
            },
            Qt::QueuedConnection);
        return true;
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::WinIdChange) MarkTarget();
        return false;
    }

  private:
    void MarkTarget() {
        Display* dpy = XDisplay();
        if (!dpy || !window_) return;
        const unsigned long pid = static_cast<unsigned long>(getpid());  // longs for format 32
        XChangeProperty(dpy, static_cast<Window>(window_->winId()),
                        XInternAtom(dpy, hook::kTargetProperty, False), XA_CARDINAL, 32,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
        XFlush(dpy);
    }

    QPointer<QWidget> window_;
    std::function<void()> onToggle_;
    std::uint32_t toggleAtom_ = 0;
};

X11HotKey::X11HotKey(std::vector<std::filesystem::path> libraryDirs)
    : libraryDirs_(std::move(libraryDirs)) {}

X11HotKey::~X11HotKey() { Disable(); }

bool X11HotKey::Load(const std::filesystem::path& appDir) {
    if (loaded_) return true;
    std::vector<std::filesystem::path> dirs = libraryDirs_;
    if (dirs.empty()) dirs.push_back(appDir);
    std::filesystem::path path;
    for (const std::filesystem::path& dir : dirs) {
        std::error_code ec;
        if (std::filesystem::exists(dir / hook::kLibraryName, ec)) {
            path = dir / hook::kLibraryName;
            break;
        }
    }
    if (path.empty()) {
        // Nowhere to be found: say where it was looked for.
        loadError_ = hook::kLibraryName;
        loadError_ += ": not found in";
        for (const std::filesystem::path& dir : dirs) {
            loadError_ += ' ';
            loadError_ += dir.string();
        }
        return false;
    }
    // Never unloaded: the library's thread and its X error handler must outlive any handle.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!handle) {
        const char* error = dlerror();
        loadError_ = error ? error : path.string() + ": cannot be loaded";
        return false;
    }
    const auto find = [&](const char* name) -> void* {
        void* symbol = dlsym(handle, name);
        if (!symbol && loadError_.empty())
            loadError_ = path.string() + ": the export " + name + " is missing";
        return symbol;
    };
    loadError_.clear();
    auto enable = reinterpret_cast<void (*)()>(find("EnableKeyHook"));
    auto getGMem = reinterpret_cast<void* (*)()>(find("GetGMem"));
    auto disable = reinterpret_cast<void (*)()>(find("DisableKeyHook"));
    if (!enable || !getGMem || !disable) {
        dlclose(handle);
        return false;
    }
    enable_ = enable;
    getGMem_ = getGMem;
    disable_ = disable;
    status_ = reinterpret_cast<int (*)(char*, int)>(dlsym(handle, "HookStatus"));
    changed_ = reinterpret_cast<void (*)()>(dlsym(handle, "KeyHookChanged"));
    loaded_ = true;
    return true;
}

std::string X11HotKey::LoadError() const { return loadError_; }

void X11HotKey::Start() {
    Load({});
    Enable();
}

void X11HotKey::Stop() { Disable(); }

void X11HotKey::Enable() {
    if (!loaded_ || enabled_) return;
    enable_();
    enabled_ = true;
    block_ = static_cast<hook::HookBlock*>(getGMem_());
    if (!block_) return;
    block_->ModifierFlags[0] = 1;
    block_->ModifierFlags[1] = 0;
    block_->ModifierFlags[2] = 0;
    if (key_ != 0) SetKey(key_);
}

void X11HotKey::SetKey(std::uint32_t vk) {
    key_ = vk;
    if (!block_) return;
    // The library's thread reads the key while we write it.
    std::atomic_ref<std::uint32_t>(block_->VirtualKey).store(vk, std::memory_order_release);
    block_->ModifierFlags[0] = 1;
    if (changed_) changed_();  // the library's thread takes the key now
}

std::uint32_t X11HotKey::Key() const {
    if (!block_) return key_;
    return std::atomic_ref<std::uint32_t>(block_->VirtualKey).load(std::memory_order_acquire);
}

std::optional<HotKeyProblem> X11HotKey::Problem() {
    if (!loaded_) return HotKeyProblem{HotKeyProblem::Kind::NotLoaded, 0, loadError_};
    if (!status_) return std::nullopt;
    char text[64] = {};
    const int code = status_(text, sizeof text);
    return ProblemFromStatus(code, text);
}

void X11HotKey::Disable() {
    if (!enabled_) return;
    key_ = Key();
    disable_();
    enabled_ = false;
    block_ = nullptr;
}

void X11HotKey::SetToggleTarget(QWidget* window, std::function<void()> onToggle) {
    receiver_.reset();
    if (window) receiver_ = std::make_unique<ToggleReceiver>(window, std::move(onToggle));
}

}  // namespace huebird
