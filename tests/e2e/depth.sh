#!/usr/bin/env bash
# End to end: screens of other colour depths. A screen the program cannot paint on (8-bit
# PseudoColor) is said at the start, with exit code 1, never a blank window; a 16-bit
# TrueColor screen shows the window with its colours.
#   depth.sh APP_DIR XPROBE
set -u
export LANG=C.UTF-8 LC_ALL= LANGUAGE=zh_CN
APP=$(cd "$1" && pwd)
PROBE=$2
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"

# display DEPTH: a virtual display of that depth in place of the last one.
display() {
    [ -n "$XVFB_PID" ] && { kill "$XVFB_PID"; wait "$XVFB_PID" 2>/dev/null; }
    start_display "$1"
}
trap 'stop_all' EXIT
WORK=$(mktemp -d /tmp/huebird-depth.XXXXXX)
app=$(make_app app "[System]
Left=300
Top=200
Color1=FF0000
AutoFlex=0")

display 8
"$app/huebird" >"$WORK/8.out" 2>"$WORK/8.err" &
APP_PID=$!
wait_for 5 bash -c "! kill -0 $APP_PID 2>/dev/null || [ \$(xdotool search --onlyvisible --name '^Huebird\$' 2>/dev/null | wc -l) -gt 0 ]"
expect "8-bit PseudoColor: no window" 0 "$(count_windows)"
if wait_exit "$APP_PID"; then
    wait "$APP_PID" 2>/dev/null
    expect "8-bit PseudoColor: the start ends with 1" 1 "$?"
else
    fail "8-bit PseudoColor: the start ends"
fi
err=$(cat "$WORK/8.err")
expect "8-bit PseudoColor: one line says why" 1 "$(printf '%s\n' "$err" | grep -c .)"
expect_contains "8-bit PseudoColor: naming the screen" "PseudoColor" "$err"
stop_app

display 16
start_app "$app"
wid=$(wait_window) || fail "16-bit TrueColor: window appears"
if [ -n "${wid:-}" ]; then
    skin="$app/skins/DEFAULT/skin.ini"
    read -r wx wy _ < <(window_geometry "$wid")
    sx=$(ini_get "$skin" Color1 Left); sy=$(ini_get "$skin" Color1 Top)
    sw=$(ini_get "$skin" Color1 Width); sh=$(ini_get "$skin" Color1 Height)
    # The probe gives raw pixels; the screenshot tool turns 16-bit ones into colours.
    px=$(import -window root -crop "1x1+$((wx + sx + sw / 2))+$((wy + sy + sh / 2))" -depth 8 txt:- |
        grep -o '#[0-9A-F]\{6\}' | head -n 1)
    expect "16-bit TrueColor: the swatch is painted red" "#FF0000" "$px"
fi
stop_app

finish
