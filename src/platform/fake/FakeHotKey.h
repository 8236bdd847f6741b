// A hot-key for tests: records what the program asks, keeps the key as the real one does, and
// can play a toggle or a problem.
#pragma once

#include <string>
#include <vector>

#include "platform/HotKey.h"

namespace huebird {

class FakeHotKey : public HotKey {
  public:
    bool loadable = true;
    std::string loadError = "libhuebirdhook.so: cannot open shared object file";
    // What Problem() answers once the library is loaded.
    std::optional<HotKeyProblem> problem;

    // "Start", "SetKey <vk>", "Problem", "Stop", "SetToggleTarget".
    std::vector<std::string> calls;
    QWidget* target = nullptr;
    std::function<void()> onToggle;
    bool enabled = false;

    // A press of the hot-key: the toggle, while enabled and given a target (called at once;
    // the real one arrives through the event loop).
    bool PressHotKey() {
        if (!enabled || !onToggle) return false;
        onToggle();
        return true;
    }

    void Start() override {
        calls.push_back("Start");
        loaded_ = loadable;
        enabled = loaded_;
    }
    void SetKey(std::uint32_t vk) override {
        calls.push_back("SetKey " + std::to_string(vk));
        key_ = vk;
    }
    std::uint32_t Key() const override { return key_; }
    std::optional<HotKeyProblem> Problem() override {
        calls.push_back("Problem");
        if (!loaded_) return HotKeyProblem{HotKeyProblem::Kind::NotLoaded, 0, loadError};
        return problem;
    }
    void Stop() override {
        calls.push_back("Stop");
        enabled = false;
    }
    void SetToggleTarget(QWidget* window, std::function<void()> toggle) override {
        calls.push_back("SetToggleTarget");
        target = window;
        onToggle = std::move(toggle);
    }

  private:
    bool loaded_ = false;
    std::uint32_t key_ = 0;
};

}  // namespace huebird
