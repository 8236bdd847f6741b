#!/usr/bin/env bash
# End to end: every way the program can be ended from outside keeps what the run changed.
# A termination signal (logout, poweroff, Ctrl+C, a closed terminal), the X server going away and
# the window killed by xkill each save the settings as a close does and end with exit code 0;
# an xkill of the hot-key library's own connection leaves the program running with the hot-key;
# the toolkit's own options (a session manager's -session, -display) start the program.
#   endings.sh APP_DIR XPROBE
set -u
export LANG=C.UTF-8 LC_ALL= LANGUAGE=zh_CN
APP=$(cd "$1" && pwd)
PROBE=$2
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"

start_display
trap 'stop_all' EXIT
WORK=$(mktemp -d /tmp/huebird-endings.XXXXXX)
"$PROBE" root 102030
skin="$APP/skins/DEFAULT/skin.ini"
SETTINGS="[System]
SkinName=default
Left=300
Top=200
Color1=000000
AutoFlex=0"

# run_app DIR [ARGS...]: the program in the background, with the default action for every
# signal (a script's background job would otherwise start with SIGINT and SIGQUIT ignored).
run_app() {
    local dir=$1
    shift
    env --default-signal "$dir/huebird" "$@" >"$WORK/app.out" 2>&1 &
    APP_PID=$!
}

# await_exit PID: waits (bounded) for the process to end; RC is its exit code.
await_exit() {
    RC="still running"
    wait_for 10 bash -c "! kill -0 $1 2>/dev/null" || return
    wait "$1"
    RC=$?
    APP_PID=
}

# change_settings WID: the red plus button steps the first swatch to 050000 and the window is
# dragged by its background 30 pixels right and 10 down; true once both are seen on screen.
change_settings() {
    local wx wy gx gy
    read -r wx wy _ < <(window_geometry "$1")
    xdotool mousemove $((wx + $(ini_get "$skin" AddRed Left) + 4)) \
        $((wy + $(ini_get "$skin" AddRed Top) + 4)) click 1
    local sx sy
    sx=$((wx + $(ini_get "$skin" Color1 Left) + 3)); sy=$((wy + $(ini_get "$skin" Color1 Top) + 3))
    wait_for 3 bash -c "[ \"\$('$PROBE' pixel $sx $sy)\" = 050000 ]" || return 1
    gx=$((wx + $(ini_get "$skin" Menu Left) + 40)); gy=$((wy + $(ini_get "$skin" Menu Top) + 4))
    xdotool mousemove $gx $gy mousedown 1 mousemove $((gx + 15)) $((gy + 5)) \
        mousemove $((gx + 30)) $((gy + 10)) mouseup 1
    moved() { read -r nx ny _ < <(window_geometry "$1"); [ "$nx $ny" = "330 210" ]; }
    wait_for 3 moved "$1"
}

saved() { echo "$(ini_get "$1/palora.ini" System Color1) $(ini_get "$1/palora.ini" System Left) $(ini_get "$1/palora.ini" System Top)"; }

# --- the four termination signals: the same close as the close button, then exit code 0 -----
for sig in TERM INT HUP QUIT; do
    app=$(make_app "signal-$sig" "$SETTINGS")
    run_app "$app"
    wid=$(wait_window) || { fail "$sig: window appears"; continue; }
    check "$sig: the swatch and the window's place change" change_settings "$wid"
    kill -s "$sig" "$APP_PID"
    await_exit "$APP_PID"
    expect "$sig: the program ends with exit code 0" 0 "$RC"
    expect "$sig: the run's colour and place are saved" "050000 330 210" "$(saved "$app")"
    expect "$sig: one whole replacement, no temporary left" "" \
        "$(find "$app" -maxdepth 1 -name '.palora.ini.tmp-*')"
done

# A signal the program was started with ignored stays ignored (nohup huebird survives a hang-up).
app=$(make_app nohup "$SETTINGS")
env --ignore-signal=HUP "$app/huebird" >"$WORK/app.out" 2>&1 &
APP_PID=$!
wid=$(wait_window) || fail "nohup: window appears"
ignored=$(awk '/^SigIgn:/ { print $2 }' "/proc/$APP_PID/status")
expect "nohup: SIGHUP is still ignored" 1 $(((16#$ignored) & 1))
kill -s TERM "$APP_PID"
await_exit "$APP_PID"
expect "nohup: SIGTERM still ends it with exit code 0" 0 "$RC"

# A signal while a modal dialog is open: the dialog goes with the program, the run is saved.
app=$(make_app dialog "$SETTINGS")
run_app "$app"
wid=$(wait_window) || fail "dialog: window appears"
check "dialog: the swatch and the window's place change" change_settings "$wid"
# The menu button (the window is at 330,210 now); the menu's last item is the about box.
xdotool mousemove $((330 + $(ini_get "$skin" Menu Left) + 3)) $((210 + $(ini_get "$skin" Menu Top) + 3)) click 1
check "dialog: the menu opens" wait_for 3 popup_open
xdotool key Up Return
box=$(wait_other_window "$wid") || fail "dialog: the about box opens"
kill -s TERM "$APP_PID"
await_exit "$APP_PID"
expect "dialog: the program ends with exit code 0" 0 "$RC"
expect "dialog: the run's colour and place are saved" "050000 330 210" "$(saved "$app")"

# --- the X server goes away (a logout): the settings are saved without it -------------------
# With the hot-key library (its own thread and connection see the end too) and without it.
for variant in "X server" "X server, no hot-key library"; do
    app=$(make_app "xserver-${variant##* }" "$SETTINGS")
    [ "$variant" = "X server" ] || rm "$app/libhuebirdhook.so"
    run_app "$app"
    wid=$(wait_window) || fail "$variant: window appears"
    if [ "$variant" != "X server" ]; then
        # Without the library a notice says the hot-key cannot work, shortly after the window
        # shows; it is closed first, or it would take the clicks below on a busy machine.
        notice_shown() { [ "$(count_windows)" -ge 2 ]; }
        check "$variant: a notice says the hot-key cannot work" wait_for 10 notice_shown
        notice=$(wait_other_window "$wid") && "$PROBE" close "$notice"
        check "$variant: the notice closes" wait_until 10 '[ "$(count_windows)" = 1 ]'
    fi
    check "$variant: the swatch and the window's place change" change_settings "$wid"
    kill "$XVFB_PID"
    await_exit "$APP_PID"
    expect "$variant: the program ends with exit code 0" 0 "$RC"
    expect "$variant: the run's colour and place are saved" "050000 330 210" "$(saved "$app")"
    [ "$RC" = 0 ] || sed 's/^/     /' "$WORK/app.out"
    start_display
    "$PROBE" root 102030
done

# --- xkill on the main window: the server closes the program's connection -------------------
app=$(make_app xkill "$SETTINGS")
run_app "$app"
wid=$(wait_window) || fail "xkill: window appears"
check "xkill: the swatch and the window's place change" change_settings "$wid"
xkill -id "$wid" >/dev/null
await_exit "$APP_PID"
expect "xkill: the program ends with exit code 0" 0 "$RC"
expect "xkill: the run's colour and place are saved" "050000 330 210" "$(saved "$app")"

# --- xkill on the hot-key library's connection alone: the program goes on ------------------
# The library's connection is the one client holding passive grabs (Ctrl plus the key); the
# server's resource record gives its resource base, which xkill takes as one of its resources.
library_client() {
    xrestop -b -m 1 2>/dev/null |
        awk '/res_base/ { base = $3 } /passive grabs/ && $4 > 0 { print base; exit }'
}
got_library() { LIBRARY=$(library_client); [ -n "$LIBRARY" ]; }
no_library() { [ -z "$(library_client)" ]; }
unmapped() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsUnMapped'; }
app=$(make_app xkill-hotkey "$SETTINGS")
run_app "$app"
wid=$(wait_window) || fail "hot-key xkill: window appears"
check "hot-key xkill: the swatch and the window's place change" change_settings "$wid"
check "hot-key xkill: the library's connection holds the key" wait_for 3 got_library
xkill -id "$LIBRARY" >/dev/null
check "hot-key xkill: the server drops the library's connection" wait_for 3 no_library
check "hot-key xkill: the library connects again and holds the key" wait_for 6 got_library
check "hot-key xkill: the program is still running" kill -0 "$APP_PID"
xdotool key ctrl+w
check "hot-key xkill: Ctrl+W hides the window again" wait_for 3 unmapped "$wid"
kill -s TERM "$APP_PID"
await_exit "$APP_PID"
expect "hot-key xkill: the program ends with exit code 0" 0 "$RC"
expect "hot-key xkill: the run's colour and place are saved" "050000 330 210" "$(saved "$app")"
[ "$RC" = 0 ] || sed 's/^/     /' "$WORK/app.out"

# --- the toolkit's options: a session manager restarts the program with -session ------------
app=$(make_app session "$SETTINGS")
run_app "$app" -session 10d3a6c8e1f7_1700000000_123456
check "-session: the window appears" eval "wait_window >/dev/null"
kill -s TERM "$APP_PID"
await_exit "$APP_PID"
expect "-session: it ends as any run does" 0 "$RC"
# -display names the display for the whole program: the check, the lock and the toolkit.
display=$DISPLAY
env -u DISPLAY --default-signal "$app/huebird" -display "$display" -name huebird \
    >"$WORK/app.out" 2>&1 &
APP_PID=$!
check "-display: the window appears on the named display" eval "wait_window >/dev/null"
kill -s TERM "$APP_PID"
await_exit "$APP_PID"
expect "-display: it ends as any run does" 0 "$RC"

finish
