#!/usr/bin/env bash
# Runs every benchmark: the core ones directly, start-up on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh >/dev/null
build/bench/huebird_bench_core
. tests/xserver.sh
app=
xserver_start
trap 'xserver_stop; rm -rf "$app"' EXIT
app=$(mktemp -d)
cp -r build/app/. "$app/"
build/bench/huebird_bench_startup "$app" 20
build/bench/huebird_bench_window "$app"
build/bench/huebird_bench_menu "$app"
build/bench/huebird_bench_palette
build/bench/huebird_bench_hotkey "$app"
build/bench/huebird_bench_contrast
build/bench/huebird_bench_copyas
# The hot-key through KDE's shortcut service, on a headless KWin (77: KWin is not installed).
bash tests/platform/kde.sh build/bench/huebird_bench_kdehotkey "$PWD/build/tests/huebird_kwinkeys" ||
    [ $? -eq 77 ]
# The tray: an XEmbed tray on the same display (no session bus, so no StatusNotifierItem host).
if command -v trayer >/dev/null; then
    env -u DBUS_SESSION_BUS_ADDRESS trayer --edge bottom --align right --widthtype request \
        --height 24 >/dev/null 2>&1 &
    tray=$!
    sleep 1
    env -u DBUS_SESSION_BUS_ADDRESS build/bench/huebird_bench_tray "$app"
    [ -x build/tests/huebird_traydemo ] &&
        env -u DBUS_SESSION_BUS_ADDRESS build/bench/huebird_bench_tray --startup build/tests/huebird_traydemo
    kill $tray
fi
# Memory, open files, processor time and wake-ups of the real program over a few minutes, on a
# display of its own.
BUILD=$PWD/build bash bench/resources.sh
# The program on Wayland sessions: start-up and a pick's start over a capture (sway, GNOME
# Shell and KWin, each started headless), beside start-up on a bare X server.
bash bench/wayland.sh
