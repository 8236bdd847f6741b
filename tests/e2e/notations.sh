#!/usr/bin/env bash
# End to end: the notations beyond the copy setting's, on the real program on a virtual X
# display. "复制为" in both menus puts each text on the clipboard, read back by another X
# client; "粘贴颜色代码" (Ctrl+Shift+V) takes CSS text the plain paste refuses, and says why a
# text is no colour; `huebird --pick --print` prints a pick with or without a running Huebird,
# leaving the running one and its settings alone, and Escape ends it with 1 and nothing printed.
#   notations.sh APP_DIR XPROBE
set -u
export LANG=C.UTF-8 LC_ALL= LANGUAGE=zh_CN
APP=$(cd "$1" && pwd)
PROBE=$2
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"

start_display
trap 'stop_all' EXIT
WORK=$(mktemp -d /tmp/huebird-notations.XXXXXX)
"$PROBE" root 102030

# The first swatch's centre and the menu button, for a window at (300, 200).
SW1X=318
SW1Y=238
swatch() { "$PROBE" pixel $SW1X $SW1Y; }
clip() { xclip -selection clipboard -o 2>/dev/null; }
keys() {
    local k
    for k in "$@"; do
        xdotool key "$k"
        sleep 0.1
    done
}
# menu_then KEYS...: once a menu is open, walks it with the keys.
main_menu() {
    xdotool mousemove 309 206 click 1
    wait_until 5 popup_open || return 1
    keys "$@"
}
# ended PID: waits (at most ten seconds) for a process of the test's own to end; its exit code
# goes to RC.
ended() {
    local i
    for i in $(seq 1 200); do
        if ! kill -0 "$1" 2>/dev/null; then
            wait "$1" 2>/dev/null
            RC=$?
            return 0
        fi
        sleep 0.05
    done
    kill "$1" 2>/dev/null
    RC=timeout
    return 1
}
swatch_menu() {
    xdotool mousemove $SW1X $SW1Y click 3
    wait_until 5 popup_open || return 1
    keys "$@"
}

app=$(make_app app "[System]
SkinName=default
Left=300
Top=200
Color1=E94560
CopyType=1
AutoFlex=0")
start_app "$app"
wid=$(wait_window) || { fail "window appears"; finish; exit 1; }
check "the swatch shows its colour" wait_until 5 '[ "$(swatch)" = E94560 ]'

# --- Copy as -------------------------------------------------------------------------------
printf 'stale' | xclip -selection clipboard -i
main_menu Down Down Down Down Down Right Down Down Down Down Down Return  # 复制为 > rgb()
check "copy as, main menu: rgb() read back by another program" \
    wait_until 5 '[ "$(clip)" = "rgb(233 69 96)" ]'
swatch_menu Down Down Down Down Down Down Right \
    Down Down Down Down Down Down Down Down Down Down Down Return  # 复制为 > oklch()
check "copy as, swatch menu: oklch() read back by another program" \
    wait_until 5 '[ "$(clip)" = "oklch(63.26% 0.19947 15.73)" ]'
main_menu Down Down Down Down Down Right Down Down Return  # 复制为 > RGB值
check "copy as: the copy setting's RGB notation" wait_until 5 '[ "$(clip)" = "RGB(233, 069, 096)" ]'
xdotool windowfocus "$wid" key F4
check "F4 still copies in the setting's notation" wait_until 5 '[ "$(clip)" = "RGB(233, 069, 096)" ]'

# --- Paste any colour ----------------------------------------------------------------------
printf 'hsl(120 100%% 25%%)\n' | xclip -selection clipboard -i
xdotool windowfocus "$wid" key F5
xdotool windowfocus "$wid" key ctrl+shift+v
check "Ctrl+Shift+V takes hsl() with a line break" wait_until 5 '[ "$(swatch)" = 008000 ]'
printf '#36c' | xclip -selection clipboard -i
xdotool windowfocus "$wid" key F5
sleep 0.3  # the plain paste answers nothing: give it the time a paste takes
expect "F5 keeps its rules: #36c is no code there" 008000 "$(swatch)"
main_menu Down Down Down Down Down Down Down Return  # 粘贴颜色代码
check "the menu item takes #36c" wait_until 5 '[ "$(swatch)" = 3366CC ]'
printf 'colour: blurple;' | xclip -selection clipboard -i
xdotool windowfocus "$wid" key ctrl+shift+v
if notice=$(wait_other_window "$wid"); then
    pass "a text that is no colour gives a notice"
    shot notice.png
    "$PROBE" close "$notice"
else
    fail "a text that is no colour gives a notice"
fi
expect "and changes nothing" 3366CC "$(swatch)"

# --- huebird --pick --print, beside a running Huebird --------------------------------------
before=$(md5sum <"$app/palora.ini")
xdotool mousemove 100 100
"$app/huebird" --pick --print --format rgb >"$WORK/print.out" 2>"$WORK/print.err" &
printer=$!
check "--pick --print: the magnifier shows" wait_until 5 '[ "$(count_windows)" = 2 ]'
xdotool mousemove 120 110 click 1
check "--pick --print: a click ends it" ended "$printer"
expect "--pick --print: prints the colour picked, in the format asked for" "rgb(16 32 48)" \
    "$(cat "$WORK/print.out")"
expect "--pick --print: the running Huebird is still running" 0 \
    "$(kill -0 "$APP_PID" 2>/dev/null; echo $?)"
expect "--pick --print: the running Huebird's colour is its own" 3366CC "$(swatch)"
expect "--pick --print: the running Huebird's settings are untouched" "$before" \
    "$(md5sum <"$app/palora.ini")"
stop_app
after_close=$(tr -d '\r' <"$app/palora.ini")
expect_contains "the running Huebird saved its own colour at close" "Color1=3366CC" "$after_close"

# --- ... and with none running ---------------------------------------------------------------
"$PROBE" dot 801 600 FF00FF
xdotool mousemove 800 600
"$app/huebird" --pick --print --format name >"$WORK/print.out" 2>"$WORK/print.err" &
printer=$!
check "--pick --print, none running: the magnifier shows" wait_until 5 '[ "$(count_windows)" = 1 ]'
xdotool key Right
xdotool click 1
ended "$printer"
rc=$RC
expect "--pick --print, none running: an arrow lands on the dot, the name is printed" \
    "fuchsia 0" "$(cat "$WORK/print.out") $rc"
expect "--pick --print, none running: no Huebird window was left" 0 "$(count_windows)"

"$app/huebird" --pick --print >"$WORK/print.out" 2>"$WORK/print.err" &
printer=$!
check "--pick --print again: the magnifier shows" wait_until 5 '[ "$(count_windows)" = 1 ]'
xdotool key Escape
ended "$printer"
rc=$RC
expect "--pick --print: Escape ends it with 1 and prints nothing" "1 0" \
    "$rc $(wc -c <"$WORK/print.out")"

"$app/huebird" --pick --print --format nope >"$WORK/print.out" 2>"$WORK/print.err"
rc=$?
expect "--pick --print: an unknown format is a mistake (exit 2)" 2 "$rc"
expect_contains "and names the formats" "one of: web, web-plain" "$(cat "$WORK/print.err")"

finish
