#!/usr/bin/env bash
# Writers of the settings file at once, on the real program on a virtual X display: changes
# that other writers make while the close save runs are all in the file afterwards, and a
# writer that never lets go makes the close report a failure, not success.
#   writers.sh APP_DIR XPROBE INIWRITE
# INIWRITE is a second writer through the program's own profile layer.
set -u
APP=$(cd "$1" && pwd)
PROBE=$2
INIWRITE=$3
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"

start_display
trap 'exec 9>&-; stop_all' EXIT
WORK=$(mktemp -d /tmp/huebird-writers.XXXXXX)
"$PROBE" root 102030
skin="$APP/skins/DEFAULT/skin.ini"
CLOSE_X=$(($(ini_get "$skin" Close Left) + 3)); CLOSE_Y=$(($(ini_get "$skin" Close Top) + 3))
click_close() {
    local wx wy
    read -r wx wy _ < <(window_geometry "$1")
    xdotool mousemove $((wx + CLOSE_X)) $((wy + CLOSE_Y)) click 1
}
# holds_lock PID DIR: the process has the settings file's lock file open (it is waiting for the
# lock or holding it).
holds_lock() { ls -l "/proc/$1/fd" 2>/dev/null | grep -q -- "$2/.palora.ini.lock\$"; }
SETTINGS="[System]
SkinName=default
Left=300
Top=200
Color1=ff0000
AutoFlex=0
[BookMarks]
Sky=87CEEB"

# --- the close save runs while two other writers change the file ------------------------------
# This script holds the lock as a writer at work would, so the close must wait; a second writer
# starts and waits too; then this one changes the file and lets go. Every change must be there.
app=$(make_app shared "$SETTINGS")
start_app "$app"
wid=$(wait_window) || { fail "window appears"; finish; exit; }
exec 9>>"$app/.palora.ini.lock"
flock 9
click_close "$wid"
check "the close save waits for the writer holding the lock" wait_for 5 holds_lock "$APP_PID" "$app"
check "and the program has not ended meanwhile" kill -0 "$APP_PID"
# (Without this script's descriptor of the lock file, or the check below would see that one.)
"$INIWRITE" "$app/palora.ini" BookMarks Grass=00FF00 Sea=0000FF >"$WORK/iniwrite.out" 2>&1 9>&- &
writer=$!
check "a second writer waits too" wait_for 5 holds_lock "$writer" "$app"
# The holder's own change: a favourite appended to the last section, the file replaced whole.
{ cat "$app/palora.ini"; echo "Sun=FFFF00"; } >"$WORK/edited.ini" && mv "$WORK/edited.ini" "$app/palora.ini"
flock -u 9
exec 9>&-
check "the program ends once the lock is free" wait_exit "$APP_PID"
wait "$writer"
expect "the second writer succeeds" "0 " "$? $(cat "$WORK/iniwrite.out")"
for fav in Sky=87CEEB Sun=FFFF00 Grass=00FF00 Sea=0000FF; do
    expect "favourite ${fav%%=*} is kept" "${fav#*=}" "$(ini_get "$app/palora.ini" BookMarks "${fav%%=*}")"
done
expect "the close's settings are written" FF0000 "$(ini_get "$app/palora.ini" System Color1)"
check "no box was shown" test "$(count_windows)" -le 1

# --- a writer that never lets go: the close reports it and writes nothing ---------------------
app=$(make_app stuck "$SETTINGS")
cp "$app/palora.ini" "$WORK/before.ini"
start_app "$app"
wid=$(wait_window) || { fail "stuck: window appears"; finish; exit; }
exec 9>>"$app/.palora.ini.lock"
flock 9
click_close "$wid"
box=$(wait_for 15 wait_other_window "$wid") && pass "stuck: the close shows the error box" ||
    fail "stuck: the close shows the error box"
if [ -n "$box" ]; then
    shot writers-stuck.png
    xdotool windowfocus "$box" key Return 2>/dev/null
fi
check "stuck: the program ends once it is answered" wait_exit "$APP_PID"
check "stuck: the file is unchanged" cmp -s "$app/palora.ini" "$WORK/before.ini"
exec 9>&-

finish
