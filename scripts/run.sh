#!/usr/bin/env bash
# Installs what is needed, builds Huebird and runs it. With no display it runs on a virtual
# one, saves a screenshot and says where.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec build/app/huebird
fi
. tests/xserver.sh
app=
xserver_start
# Huebird ends on SIGTERM as at a close (its settings saved), then the display goes.
trap 'kill $app 2>/dev/null; wait $app 2>/dev/null; xserver_stop' EXIT
# A desktop-like backdrop, so the window's shape shows.
xsetroot_color() { build/tests/huebird_xprobe root "$1" 2>/dev/null || true; }
xsetroot_color 3C6E8F
build/app/huebird &
app=$!
for _ in $(seq 1 100); do build/tests/huebird_xprobe find Huebird >/dev/null 2>&1 && break; sleep 0.05; done
sleep 0.5
shot="$PWD/build/huebird-screenshot.png"
import -window root -crop 400x300+0+0 "$shot"
echo "No display: Huebird ran on a virtual display; screenshot saved to $shot"
