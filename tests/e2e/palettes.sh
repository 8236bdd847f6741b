#!/usr/bin/env bash
# End to end: the favourites manager's palette files on the real program. A list exported
# through the file dialog is read by a second, independent reader (gplread.py); a palette
# imported through it lands in palora.ini with one notice; a malformed one changes nothing
# and says which line is wrong.
#   palettes.sh APP_DIR XPROBE
set -u
export LANG=C.UTF-8 LC_ALL= LANGUAGE=zh_CN
APP=$(cd "$1" && pwd)
PROBE=$2
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"

start_display
trap 'stop_all' EXIT
WORK=$(mktemp -d /tmp/huebird-palettes.XXXXXX)

app=$(make_app palettes "[System]
Left=100
Top=100
AutoFlex=0
[BookMarks]
Sky=87CEEB
中文名称=FF8000
a;b=010203
#hash=#0A0B0C
Odd=XYZ
[BookMarks1]
[BookMarks2]")
start_app "$app"
wid=$(wait_window) || { fail "window appears"; finish; exit 1; }

xdotool windowfocus "$wid" key F2
manager=$(wait_other_window "$wid") || { fail "the manager opens"; finish; exit 1; }
read -r mgx mgy _ < <(window_geometry "$manager")

# named TITLE: the id of the visible window with that title, once there is one.
named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1; }
has_named() { test -n "$(named "$1")"; }
# a_box: a notice box, the third window of the program's title.
has_box() { [ "$(count_windows)" -ge 3 ]; }
box() {
    local w
    for w in $(xdotool search --onlyvisible --name '^Huebird$' 2>/dev/null); do
        [ "$w" != "$wid" ] && [ "$w" != "$manager" ] && { echo "$w"; return; }
    done
}
# choose_file BUTTON_X TITLE PATH: presses the manager's button at BUTTON_X on the bottom row
# and answers the file dialog with PATH, typed as a user types it.
choose_file() {
    xdotool mousemove $((mgx + $1)) $((mgy + 269)) click 1
    wait_for 10 has_named "$2" || { fail "the dialog $2 opens"; return 1; }
    local dialog title=$2
    dialog=$(named "$title")
    xdotool mousemove --window "$dialog" 20 20
    xdotool windowfocus --sync "$dialog" key ctrl+a
    xdotool type --delay 10 "$3"
    xdotool key Return
    wait_for 10 eval '! has_named "$title"' || fail "the dialog $title closes"
}
# answer_box NAME: a notice box opened; it is screenshot and answered.
answer_box() {
    if wait_for 10 has_box; then
        pass "$1: one notice"
        shot "palettes-$1.png"
        xdotool windowfocus --sync "$(box)" key Return
        wait_for 5 eval '! has_box' || fail "$1: the notice closes"
    else
        fail "$1: one notice"
    fi
}

# --- export: the list as a GIMP palette, read back by the second reader
shot palettes-manager.png
choose_file 149 "导出收藏夹" "$WORK/out.gpl"
check "export writes the file" wait_for 5 test -s "$WORK/out.gpl"
expect "the second reader reads the export" "Name: out
135 206 235	Sky
255 128 0	中文名称
1 2 3	a;b
10 11 12	#hash" "$(python3 "$HERE/gplread.py" "$WORK/out.gpl" 2>&1)"
answer_box export  # Odd's value is no colour: it was left out, and said so

# --- import: new entries into palora.ini, names made safe, one notice
printf 'GIMP Palette\r\nName: In\r\n# from elsewhere\r\n135 206 235\tSky\r\n  1   2   3\tNew one\r\n 4 5 6\ta=b\r\n' \
    >"$WORK/in.gpl"
choose_file 205 "导入调色板" "$WORK/in.gpl"
answer_box import
ini="$app/palora.ini"
expect "import adds the new entry" "010203" "$(ini_get "$ini" BookMarks "New one")"
expect "import makes a name safe" "040506" "$(ini_get "$ini" BookMarks "a-b")"
expect "import keeps what the list held" "87CEEB" "$(ini_get "$ini" BookMarks Sky)"
expect "the same colour under its name is not added twice" "1" \
    "$(grep -ci '^sky=' "$ini")"

# --- a malformed palette: nothing changes, the notice says which line
printf 'GIMP Palette\n1 2 3 fine\n300 0 0 bad\n' >"$WORK/bad.gpl"
cp "$ini" "$WORK/before.ini"
choose_file 205 "导入调色板" "$WORK/bad.gpl"
answer_box malformed
check "a malformed palette changes nothing" cmp -s "$ini" "$WORK/before.ini"
check "the program still runs" kill -0 "$APP_PID"

finish
