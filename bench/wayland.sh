#!/usr/bin/env bash
# The program on Wayland sessions (sway, GNOME Shell, KWin, each started headless): start-up,
# exec to window mapped, and a pick's start over a capture (the compositor's screen copy on sway,
# the desktop portal on GNOME and KWin), with one sample over the picture. Beside it, start-up
# on a bare X server, for comparison.
#   bench/wayland.sh [sway gnome kwin]
set -u
cd "$(dirname "$0")/.."
BUILD=$PWD/build
WL_TOOLS=$BUILD/tests
. tests/xserver.sh
. tests/wayland/compositors.sh
app=$(mktemp -d)
cp -r "$BUILD/app/." "$app/"
trap 'wl_stop 2>/dev/null; rm -rf "$app"' EXIT

echo "=== a bare X server"
(
    xserver_start
    trap xserver_stop EXIT
    "$BUILD/bench/huebird_bench_startup" "$app" 20
)
# A window manager that frames windows, as GNOME's and KWin's do: the window counts as shown
# once its frame is.
echo "=== an X server with openbox"
(
    xserver_start
    wm_start
    trap 'wm_stop; xserver_stop' EXIT
    "$BUILD/bench/huebird_bench_startup" "$app" 20
)
for kind in "${@:-sway gnome kwin}"; do
    for k in $kind; do
        echo "=== $k"
        if ! wl_start "$k" >/dev/null 2>&1; then
            echo "the $k session did not start"
            continue
        fi
        "$BUILD/bench/huebird_bench_startup" "$app" 20
        if [ "$k" = sway ]; then
            "$BUILD/bench/huebird_bench_capture" wlr 20
        else
            "$BUILD/bench/huebird_bench_capture" portal 10
        fi
        wl_stop
    done
done
