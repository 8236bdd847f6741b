#!/usr/bin/env bash
# Runs the KDE hot-key test against the real shortcut service. On a Plasma Wayland session KWin
# runs that service itself (org.kde.kglobalaccel, in the compositor's own process) and matches
# the compositor's keys against it, so the test gets a headless KWin on a private session bus,
# and a second private bus where the service is installed but not running.
# Skipped (exit 77, and said) where KWin is not installed.
#   kde.sh PROGRAM [ARGS...]   (the benchmark runs in it too)
set -u
TEST=$1
shift

kwin=$(command -v kwin_wayland) || {
    echo "--- kwin_wayland is not installed (package kwin-wayland): skipped"
    exit 77
}
accel=$(command -v kglobalaccel5) || {
    echo "--- kglobalaccel5 is not installed (package libkf5globalaccel-bin): skipped"
    exit 77
}

WORK=$(mktemp -d /tmp/huebird-kde.XXXXXX)
PIDS=()
stop_all() {
    local pid bare
    # The service the test had started on the bare bus, if it is still there.
    bare=$(dbus-send --bus="unix:path=$WORK/bare" --print-reply=literal \
        --dest=org.freedesktop.DBus / org.freedesktop.DBus.GetConnectionUnixProcessID \
        string:org.kde.kglobalaccel 2>/dev/null | awk '{print $2}')
    [ -n "$bare" ] && PIDS+=("$bare")
    for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null; done
    for pid in "${PIDS[@]}"; do
        for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
    done
    rm -rf "$WORK"
}
trap stop_all EXIT

# The desktop writes its settings (kglobalshortcutsrc, kwinrc) under these: ours, not root's.
export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/config XDG_CACHE_HOME=$WORK/cache \
    XDG_DATA_HOME=$WORK/data XDG_RUNTIME_DIR=$WORK/run
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME" "$WORK/bin" \
    "$WORK/services" "$WORK/no-services" "$WORK/bare-config"
mkdir -m 700 "$XDG_RUNTIME_DIR"

start_bus() {  # start_bus CONFIG_FILE
    local pid
    pid=$(dbus-daemon --config-file="$1" --fork --print-pid) || return 1
    PIDS+=("$pid")
}
bus_config() {  # bus_config SOCKET SERVICE_DIR
    cat <<EOF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=$1</listen>
  <servicedir>$2</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
EOF
}
# KWin's bus starts nothing on demand; the bare one starts the real service as the desktop's
# service file would, with its settings apart from KWin's.
bus_config "$WORK/bus" "$WORK/no-services" >"$WORK/bus.conf"
bus_config "$WORK/bare" "$WORK/services" >"$WORK/bare.conf"
cat >"$WORK/services/org.kde.kglobalaccel.service" <<EOF
[D-BUS Service]
Name=org.kde.kglobalaccel
Exec=/usr/bin/env QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$WORK/bare-config $accel
EOF
start_bus "$WORK/bus.conf" && start_bus "$WORK/bare.conf" || {
    echo "--- cannot start a private session bus"
    exit 1
}
export DBUS_SESSION_BUS_ADDRESS=unix:path=$WORK/bus HUEBIRD_BARE_BUS=unix:path=$WORK/bare

# The installed kwin_wayland carries a file capability, and exec of such a file fails (EPERM)
# where the capability cannot be granted, as in a container; a plain copy runs. The copy keeps
# the name: KWin's own toolkit platform accepts only a program of that name.
cp "$kwin" "$WORK/bin/kwin_wayland"
KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 QT_QPA_PLATFORM= "$WORK/bin/kwin_wayland" --virtual \
    --socket huebird-kde >"$WORK/kwin.log" 2>&1 </dev/null &
PIDS+=($!)
kwin_pid=$!
up=
for _ in $(seq 600); do
    if dbus-send --session --print-reply=literal --dest=org.freedesktop.DBus / \
        org.freedesktop.DBus.NameHasOwner string:org.kde.kglobalaccel 2>/dev/null |
        grep -q true && [ -S "$XDG_RUNTIME_DIR/huebird-kde" ]; then
        up=1
        break
    fi
    kill -0 "$kwin_pid" 2>/dev/null || break
    sleep 0.05
done
if [ -z "$up" ]; then
    echo "--- KWin did not start, or its shortcut service did not come up; its log:"
    cat "$WORK/kwin.log"
    exit 1
fi
owner=$(dbus-send --session --print-reply=literal --dest=org.freedesktop.DBus / \
    org.freedesktop.DBus.GetConnectionUnixProcessID string:org.kde.kglobalaccel | awk '{print $2}')
echo "--- KWin $("$WORK/bin/kwin_wayland" --version 2>/dev/null | awk '{print $2}'): the shortcut" \
    "service is $([ "$owner" = "$kwin_pid" ] && echo "KWin's own" || echo "process $owner")"
export WAYLAND_DISPLAY=huebird-kde

QT_QPA_PLATFORM=offscreen "$TEST" "$@"
status=$?
if [ $status -ne 0 ]; then
    echo "--- KWin's log:"
    tail -n 40 "$WORK/kwin.log"
fi
exit $status
