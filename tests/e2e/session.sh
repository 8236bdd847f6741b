#!/usr/bin/env bash
# End to end: on a Wayland session (a real compositor, weston, started headless) the program's
# window is still an X11 window, through the session's X server, with its outline and colours,
# even though the toolkit's Wayland platform is installed and would be its own first choice;
# with no tray, and no global key reaching it, the minimise button names the command to bind,
# and the command hides and shows the window; a pick, which would read black there, is refused
# with a notice.
# Skipped (and said) where weston or the toolkit's Wayland platform is not installed.
#   session.sh APP_DIR XPROBE
set -u
export LANG=C.UTF-8 LC_ALL= LANGUAGE=zh_CN
APP=$(cd "$1" && pwd)
PROBE=$2
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"

if ! command -v weston >/dev/null || ! ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so \
    >/dev/null 2>&1; then
    echo "--- weston or qt6-wayland is not installed: nothing to check"
    exit 0
fi
WESTON_PID=
trap 'stop_all; [ -n "$WESTON_PID" ] && kill "$WESTON_PID" 2>/dev/null' EXIT
WORK=$(mktemp -d /tmp/huebird-session.XXXXXX)
start_display  # the session's X server (Xwayland's part)
"$PROBE" root 102030

# The compositor, on a socket in a runtime folder of its own.
export XDG_RUNTIME_DIR=$WORK/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston --backend=headless-backend.so --socket=wayland-hb --idle-time=0 >"$WORK/weston.log" 2>&1 &
WESTON_PID=$!
check "weston listens" wait_for 10 test -S "$XDG_RUNTIME_DIR/wayland-hb"
export WAYLAND_DISPLAY=wayland-hb XDG_SESSION_TYPE=wayland
unset QT_QPA_PLATFORM

app=$(make_app app "[System]
SkinName=default
Left=300
Top=200
Color1=FF0000
AutoFlex=0")
# A stand-in xdg-open that records what the window system choice of a program started from
# ours would be.
mkdir "$WORK/bin"
printf '#!/bin/sh\necho "${QT_QPA_PLATFORM-unset}" >>"%s"\n' "$WORK/opened" >"$WORK/bin/xdg-open"
chmod +x "$WORK/bin/xdg-open"
cp "$APP/readme.htm" "$app/"
PATH="$WORK/bin:$PATH" "$app/huebird" >"$WORK/app.out" 2>&1 &
APP_PID=$!
if wid=$(wait_window); then
    pass "the window shows on the session's X server"
    read -r wx wy ww wh < <(window_geometry "$wid")
    expect "at its stored place" "300 200" "$wx $wy"
    skin="$APP/skins/DEFAULT/skin.ini"
    sx=$((wx + $(ini_get "$skin" Color1 Left) + 3))
    sy=$((wy + $(ini_get "$skin" Color1 Top) + 3))
    check "the first swatch is painted red" \
        wait_until 5 '[ "$("$PROBE" pixel '"$sx $sy"')" = FF0000 ]'
    # The outline: the stock skin's top-left corner is cut away, so the desktop shows there.
    expect "its outline is set" 0 "$("$PROBE" inshape "$wid" 0 0)"

    # No tray here, and no global key reaches an X11 program on this session: the minimise
    # button leaves the window and a notice names the command to bind; the command itself
    # hides the window and shows it again.
    xdotool mousemove $((wx + $(ini_get "$skin" Minimize Left) + 3)) \
        $((wy + $(ini_get "$skin" Minimize Top) + 3)) click 1
    check "minimise: a notice says why it cannot hide" wait_until 5 '[ "$(count_windows)" = 2 ]'
    expect "minimise: the window stays" IsViewable "$(map_state "$wid")"
    notice=$(wait_other_window "$wid") && "$PROBE" close "$notice"
    check "the notice closes" wait_until 5 '[ "$(count_windows)" = 1 ]'
    "$app/huebird" --toggle >"$WORK/toggle.out" 2>&1
    expect "--toggle ends with 0" 0 "$?"
    check "--toggle hides it" wait_until 5 '[ "$(map_state "$wid")" = IsUnMapped ]'
    expect "with no notice" 0 "$(count_windows)"
    "$app/huebird" --toggle >"$WORK/toggle.out" 2>&1
    check "--toggle shows it again" wait_until 5 '[ "$(map_state "$wid")" = IsViewable ]'

    # Xwayland shows no other program's pixels: a press on a swatch starts no pick that would
    # read black, and says why; the swatch keeps its colour.
    "$PROBE" root 4A7F2C
    xdotool mousemove "$sx" "$sy" mousedown 1
    check "a pick: a notice says the screen cannot be read" \
        wait_until 5 '[ "$(count_windows)" = 2 ]'
    xdotool mousemove 700 500 mouseup 1
    notice=$(wait_other_window "$wid") && "$PROBE" close "$notice"
    check "the notice closes" wait_until 5 '[ "$(count_windows)" = 1 ]'
    expect "a pick: the swatch keeps its colour" FF0000 "$("$PROBE" pixel "$sx" "$sy")"

    # The toolkit was asked for X11 for our window only: the help page's browser, started from
    # ours, chooses its own.
    xdotool mousemove $((wx + $(ini_get "$skin" Menu Left) + 3)) \
        $((wy + $(ini_get "$skin" Menu Top) + 3)) click 1
    check "the main menu opens" wait_for 5 popup_open
    xdotool key Up Up Return  # the help item
    check "help opens through the desktop" wait_for 5 test -s "$WORK/opened"
    expect "a program started from ours does not inherit the toolkit's choice" unset \
        "$(head -1 "$WORK/opened")"
else
    fail "the window shows on the session's X server"
    sed 's/^/     /' "$WORK/app.out"
fi
stop_app
finish
