#!/usr/bin/env bash
# Installs what Huebird needs to build, run and test on Debian 12 (as root, or through sudo).
set -euo pipefail
PACKAGES=(
  cmake g++ make pkg-config
  qt6-base-dev libgl-dev libx11-dev libxext-dev
  libgtest-dev libbenchmark-dev libxres-dev
  xvfb xauth x11-utils xdotool xclip imagemagick openbox trayer xrestop
  clang libclang-rt-14-dev qt6-l10n-tools qt6-tools-dev
  dpkg-dev desktop-file-utils appstream file lintian
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
  fonts-wqy-zenhei fonts-dejavu-core fontconfig qt6-translations-l10n
  acl util-linux clang-format
  weston qt6-wayland
  # The accessibility bus and a client of it, to read the window as a screen reader does.
  at-spi2-core python3-pyatspi gir1.2-atspi-2.0 python3-gi
  # Wayland sessions for the end-to-end suites: sway, GNOME Shell and KWin, each with its
  # portal, and each compositor's own ways to move the pointer and press keys.
  sway xwayland swaybg grim wtype libwlroots-examples waybar
  xdg-desktop-portal xdg-desktop-portal-wlr xdg-desktop-portal-gtk pipewire dbus
  libwayland-dev wayland-protocols
  gnome-shell mutter xdg-desktop-portal-gnome gnome-shell-extension-appindicator
  kwin-wayland xdg-desktop-portal-kde kded5 plasma-workspace plasma-wayland-protocols
)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
