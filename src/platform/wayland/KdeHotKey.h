// The hot-key on KDE Plasma's Wayland session, through KDE's global shortcut service
// (org.kde.kglobalaccel on the session bus, which KWin itself hosts there). Through Xwayland an X
// key grab only fires while an X11 window has focus; the service sees every key the compositor
// gets. Our action "toggle" of the component "huebird" carries Ctrl plus the stored key, and
// the service's globalShortcutPressed signal for it becomes the toggle.
#pragma once

#include <memory>
#include <string>

#include "platform/HotKey.h"

namespace huebird {

// The Qt key (a Qt::Key value, no modifier) that the service stores for a virtual-key code;
// 0 for codes it cannot hold behind Ctrl: no key, or a modifier on its own.
int VirtualKeyToQtKey(std::uint32_t vk);

class KdeHotKey : public HotKey {
  public:
    // The names the service shows for us in the desktop's shortcut settings.
    static constexpr const char* kComponent = "huebird";
    static constexpr const char* kComponentText = "Huebird";
    static constexpr const char* kAction = "toggle";
    static constexpr const char* kActionText = "Show or hide Huebird";

    // `busAddress` is the bus the service is looked for on; empty for the session bus.
    explicit KdeHotKey(std::string busAddress = {});
    ~KdeHotKey() override;  // Stop: nothing stays bound after us
    KdeHotKey(const KdeHotKey&) = delete;
    KdeHotKey& operator=(const KdeHotKey&) = delete;

    // Start registers the action and asks for Ctrl plus the key over anything stored from an
    // earlier run; the answer arrives on its own. The service is never started for us: where
    // it is not running, Problem() says NotLoaded, until it appears.
    void Start() override;
    void SetKey(std::uint32_t vk) override;
    std::uint32_t Key() const override;
    // NotLoaded: no service (or no session bus); KeyTaken: another component holds Ctrl plus
    // the key (its reason names the holder), tried again every second until it is let go;
    // NoKey: the code has no key the service can hold; Other: the service's error.
    std::optional<HotKeyProblem> Problem() override;
    // Unregisters the action: the key is let go and the service forgets the action.
    void Stop() override;
    void SetToggleTarget(QWidget* window, std::function<void()> onToggle) override;

  private:
    class Link;
    std::unique_ptr<Link> link_;
};

}  // namespace huebird
