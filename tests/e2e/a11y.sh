#!/usr/bin/env bash
# End to end through the desktop's accessibility bus: the real program on a virtual display,
# with a session bus and the accessibility bus of its own, read from outside by a11y.py as a
# screen reader reads it (in English and in Chinese): every skinned control's role and name, a
# button's press action doing what its click does, the main menu from Shift+F10 and the Menu
# key, its items read as they show, and an item's press action.
#   a11y.sh APP_DIR XPROBE
set -u
APP=$(cd "$1" && pwd)
PROBE=$2
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"

LAUNCHER=/usr/libexec/at-spi-bus-launcher
for need in dbus-daemon "$LAUNCHER" /usr/bin/python3 xclip; do
    command -v "$need" >/dev/null || { echo "missing: $need (scripts/deps.sh installs it)"; exit 1; }
done
/usr/bin/python3 -c 'import pyatspi' || { echo "missing: python3-pyatspi"; exit 1; }

BUS_PID=
LAUNCHER_PID=
stop_buses() {
    [ -n "$LAUNCHER_PID" ] && kill "$LAUNCHER_PID" 2>/dev/null && wait "$LAUNCHER_PID" 2>/dev/null
    [ -n "$BUS_PID" ] && kill "$BUS_PID" 2>/dev/null
    return 0
}

start_display
WORK=$(mktemp -d /tmp/huebird-a11y.XXXXXX)
trap 'stop_all; stop_buses' EXIT

# A session bus of our own, never the caller's, and no accessibility bus but the one started here.
unset AT_SPI_BUS_ADDRESS
dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$WORK/bus.address" 4>"$WORK/bus.pid"
BUS_PID=$(cat "$WORK/bus.pid")
DBUS_SESSION_BUS_ADDRESS=$(head -1 "$WORK/bus.address")
export DBUS_SESSION_BUS_ADDRESS
[ -n "$DBUS_SESSION_BUS_ADDRESS" ] || { fail "a session bus starts"; finish; exit 1; }

# The accessibility bus; its registry starts on the first request.
"$LAUNCHER" --launch-immediately >"$WORK/launcher.out" 2>&1 &
LAUNCHER_PID=$!
a11y_bus_up() {
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        2>/dev/null | grep -q 'unix:'
}
check "the accessibility bus starts" wait_for 30 a11y_bus_up
# The toolkit joins the bus whether or not a screen reader said it runs.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

settings="[System]
SkinName=default
Left=300
Top=200
AutoFlex=0
CopyAdd#=0
CopyType=0
Color1=E94560
Color2=0510C8
Color3=00FF00
Color4=FFFFFF
HookKey=122"

for language in en zh; do
    case $language in
        en) export LANG=C.UTF-8 LC_ALL= LANGUAGE=en_GB ;;
        zh) export LANG=C.UTF-8 LC_ALL= LANGUAGE=zh_CN ;;
    esac
    app=$(make_app "$language" "$settings")
    start_app "$app"
    wid=$(wait_window) || { fail "$language: the window appears"; continue; }
    HUEBIRD_A11Y_TIMEOUT=30 /usr/bin/python3 "$HERE/a11y.py" "$language" "$wid" >"$WORK/$language.out" 2>&1
    status=$?
    cat "$WORK/$language.out"
    PASSED=$((PASSED + $(grep -c '^ok ' "$WORK/$language.out")))
    FAILED=$((FAILED + $(grep -c '^FAIL' "$WORK/$language.out")))
    [ "$status" -eq 0 ] || grep -q '^FAIL' "$WORK/$language.out" || fail "$language: a11y.py ended with $status"
    stop_app
done

finish
