// Which desktop session the program runs in, decided from the environment before the toolkit
// starts, and which of the toolkit's window systems it asks for.
#pragma once

#include <string>

#include "core/Language.h"
#include "core/Translatable.h"

namespace huebird {

enum class SessionKind {
    X11,      // an X server and no Wayland compositor
    Wayland,  // a Wayland compositor (X11 programs then run through Xwayland, when it is there)
    None,     // neither: nothing to show a window on
};

// WAYLAND_DISPLAY means a Wayland session (whatever DISPLAY says: Xwayland sets it too);
// otherwise DISPLAY means an X11 session; otherwise none.
// `getenv` reads the environment as std::getenv does.
SessionKind SessionFrom(const EnvironmentReader& getenv);

// The toolkit's window system for the program's window: the X11 one ("xcb"), through Xwayland
// on a Wayland session, since the window's outline, its place and its drag are X11's. A user's
// own QT_QPA_PLATFORM is kept (empty: keep it). Empty as well where there is no session.
std::string ToolkitPlatformFor(SessionKind session, const std::string& userChoice);

// Whether the compositor of a Wayland session puts an X11 window where the window asks (GNOME
// and KWin do; the wlroots compositors, sway and its kin, place it themselves and ignore its
// moves). Told by XDG_CURRENT_DESKTOP, or by sway's own socket variable.
bool CompositorPlacesX11Windows(const EnvironmentReader& getenv);

// Whether the desktop is KDE Plasma, whose global shortcut service takes the hot-key on a
// Wayland session (where an X key grab fires only while an X11 window has the keyboard).
bool DesktopHasKdeShortcuts(const EnvironmentReader& getenv);

// Why a pick cannot start where the screen cannot be read (a Wayland session through Xwayland,
// which shows no other program's pixels, and no way to capture it): said instead of a pick that
// reads black.
inline constexpr const char* kPickNotOnThisSession =
    HB_TR_NOOP("Picker", "这个桌面（Wayland 会话）还不让 Huebird 读取屏幕上的颜色，无法取色。");
// A capture of the screen, which a pick on a Wayland session runs over, refused by the desktop
// or by the user when asked; and one that went wrong.
inline constexpr const char* kCaptureRefused =
    HB_TR_NOOP("Picker", "桌面没有允许 Huebird 截取屏幕，所以无法取色，颜色没有改变。");
inline constexpr const char* kCaptureFailed =
    HB_TR_NOOP("Picker", "截取屏幕失败，无法取色，颜色没有改变。");

}  // namespace huebird
