#!/usr/bin/env bash
# End to end: `huebird --toggle` from a later start hides the running program and shows it
# again, as its hot-key does; `huebird --pick` starts a pick under the pointer that a click
# ends; with none running it starts one, shown; a socket a killed
# instance left is taken over by the next; an instance that does not answer is said, exit 1.
#   commands.sh APP_DIR XPROBE
set -u
export LANG=C.UTF-8 LC_ALL= LANGUAGE=zh_CN
APP=$(cd "$1" && pwd)
PROBE=$2
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"

start_display
trap 'stop_all' EXIT
WORK=$(mktemp -d /tmp/huebird-commands.XXXXXX)
"$PROBE" root 102030
app=$(make_app app "[System]
SkinName=default
Left=300
Top=200
AutoFlex=0
HookKey=122")

# The notice that says which key brings the program back (there is no tray here): closed.
close_notices() {
    local w
    for w in $(xdotool search --onlyvisible --name '^Huebird$' 2>/dev/null); do
        [ "$w" != "$1" ] && "$PROBE" close "$w"
    done
    return 0
}

# None runs: --toggle starts one, shown.
"$app/huebird" --toggle >"$WORK/first.out" 2>&1 &
APP_PID=$!
wid=$(wait_window) || { fail "--toggle with none running starts Huebird"; finish; exit 1; }
pass "--toggle with none running starts Huebird"
check "it is shown" wait_until 5 '[ "$(map_state '"$wid"')" = IsViewable ]'

# A later start's --toggle hides it and shows it again; the later start ends with 0.
for want in IsUnMapped IsViewable IsUnMapped IsViewable; do
    "$app/huebird" --toggle >"$WORK/toggle.out" 2>&1
    rc=$?
    expect "--toggle ends with 0 ($want)" 0 "$rc"
    [ "$rc" = 0 ] || sed 's/^/     /' "$WORK/toggle.out"
    check "--toggle: the window is $want" wait_until 5 '[ "$(map_state '"$wid"')" = '"$want"' ]'
    close_notices "$wid"
done
expect "the running one is still running" 0 "$(kill -0 "$APP_PID" 2>/dev/null; echo $?)"

# --pick: the active (first) swatch follows the pointer with no button held, an arrow lands it
# on a one-pixel line, a click takes the colour (the click reaches no other window) and the
# magnifier goes; Escape cancels another and gives the swatch its colour back.
read -r wx wy _ < <(window_geometry "$wid")
skin="$APP/skins/DEFAULT/skin.ini"
scx=$((wx + $(ini_get "$skin" Color1 Left) + 3))
scy=$((wy + $(ini_get "$skin" Color1 Top) + 3))
swatch() { "$PROBE" pixel $scx $scy; }
"$PROBE" root 4A7F2C
"$PROBE" dot 801 600 FF00FF
xdotool mousemove 800 600
"$app/huebird" --pick >"$WORK/pick.out" 2>&1
expect "--pick ends with 0" 0 "$?"
check "--pick: the magnifier shows" wait_until 5 '[ "$(count_windows)" = 2 ]'
check "--pick: the swatch follows the pointer" wait_until 5 '[ "$(swatch)" = 4A7F2C ]'
xdotool key Right
check "--pick: Right lands on the one-pixel line" wait_until 5 '[ "$(swatch)" = FF00FF ]'
xdotool click 1
check "--pick: the click ends it" wait_until 5 '[ "$(count_windows)" = 1 ]'
"$PROBE" root 102030
check "--pick: the swatch keeps the colour taken" wait_until 5 '[ "$(swatch)" = FF00FF ]'
"$PROBE" root 4A7F2C
"$app/huebird" --pick >"$WORK/pick.out" 2>&1
check "--pick again: the swatch follows the pointer" wait_until 5 '[ "$(swatch)" = 4A7F2C ]'
xdotool key Escape
check "--pick: Escape ends it" wait_until 5 '[ "$(count_windows)" = 1 ]'
check "--pick: Escape gives the swatch its colour back" wait_until 5 '[ "$(swatch)" = FF00FF ]'
"$PROBE" root 102030

# Killed outright, it leaves its socket behind; the next instance takes the place over.
sock=$(ls /run/user/"$(id -u)"/*display_"${DISPLAY#:}".sock /tmp/huebird-"$(id -u)"/*display_"${DISPLAY#:}".sock 2>/dev/null | head -1)
check "the running instance listens beside its lock" test -S "$sock"
kill -KILL "$APP_PID"
wait "$APP_PID" 2>/dev/null
APP_PID=
check "a killed instance leaves its socket" test -S "$sock"
"$app/huebird" >"$WORK/second.out" 2>&1 &
APP_PID=$!
wid=$(wait_window) || fail "a new instance starts"
"$app/huebird" --toggle >"$WORK/toggle.out" 2>&1
expect "--toggle reaches the new instance" 0 "$?"
check "--toggle: the new instance hides" wait_until 5 '[ "$(map_state '"$wid"')" = IsUnMapped ]'
stop_app
check "a closed instance takes its socket away" wait_until 5 '[ ! -e "'"$sock"'" ]'

# The lock held by something that does not listen: said in one line, exit 1.
lock=${sock%.sock}.lock
flock "$lock" sleep 30 &
holder=$!
wait_until 5 '! flock -n "'"$lock"'" true'
started=$(date +%s)
"$app/huebird" --toggle >"$WORK/deaf.out" 2>&1
rc=$?
expect "--toggle to an instance that does not listen ends with 1" 1 "$rc"
expect "and says so in one line" 1 "$(wc -l <"$WORK/deaf.out")"
expect_contains "naming the reason" "does not take commands" "$(cat "$WORK/deaf.out")"
expect "within a few seconds" 1 "$(( $(date +%s) - started <= 5 ))"
kill "$holder" 2>/dev/null
wait "$holder" 2>/dev/null
finish
