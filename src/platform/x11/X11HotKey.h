// The hot-key through the hot-key library (libhuebirdhook.so beside the executable, or in the
// installed library folder), loaded at run time; its toggle arrives as an X client message that a
// native event filter turns into a call on the user-interface thread.
#pragma once

#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/HotKey.h"

namespace huebird {

namespace hook {
struct HookBlock;
}

// The problem a status of the library describes: nothing for "ok" (code 0) and for a status
// not yet settled (code 2).
std::optional<HotKeyProblem> ProblemFromStatus(int code, std::string_view text);

class X11HotKey : public HotKey {
  public:
    // Load looks for the library in `libraryDirs`, in order, and takes it from the first that
    // has it; without any, in the folder Load is given.
    explicit X11HotKey(std::vector<std::filesystem::path> libraryDirs = {});
    ~X11HotKey() override;  // disables the library; the library itself stays loaded
    X11HotKey(const X11HotKey&) = delete;
    X11HotKey& operator=(const X11HotKey&) = delete;

    // Start loads the library and enables it; Stop disables it.
    void Start() override;
    void SetKey(std::uint32_t vk) override;
    std::uint32_t Key() const override;
    // After a failed load this is the NotLoaded problem, so one question covers both.
    std::optional<HotKeyProblem> Problem() override;
    void Stop() override;
    void SetToggleTarget(QWidget* window, std::function<void()> onToggle) override;

    // The library's own steps, which Start and Stop take in turn.
    // Loads the library from the first of the folders given that has it (without any, from
    // `appDir`). False when it is missing or lacks one of its three exports, with LoadError()
    // saying why; the key is still kept by SetKey and Key.
    bool Load(const std::filesystem::path& appDir);
    std::string LoadError() const;
    // EnableKeyHook, then GetGMem; writes the flags 1, 0, 0 and the key given so far. Nothing
    // without the library or when already enabled.
    void Enable();
    // DisableKeyHook: the key is released. Safe to call twice.
    void Disable();

  private:
    class ToggleReceiver;

    std::vector<std::filesystem::path> libraryDirs_;
    bool loaded_ = false;
    bool enabled_ = false;
    std::string loadError_;
    void (*enable_)() = nullptr;
    void* (*getGMem_)() = nullptr;
    void (*disable_)() = nullptr;
    int (*status_)(char*, int) = nullptr;  // optional: older libraries lack it
    void (*changed_)() = nullptr;          // optional: without it a new key takes a moment
    hook::HookBlock* block_ = nullptr;     // while enabled
    std::uint32_t key_ = 0;                // the key while there is no block
    std::unique_ptr<ToggleReceiver> receiver_;
};

}  // namespace huebird
