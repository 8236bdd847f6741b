#!/usr/bin/env bash
# End to end: the real program, started from copies of its app folder on a virtual X display,
# observed from outside (window geometry and shape, screen pixels, files on disk).
#   run.sh APP_DIR XPROBE
set -u
APP=$(cd "$1" && pwd)
PROBE=$2
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"

start_display
trap 'stop_all' EXIT
WORK=$(mktemp -d /tmp/huebird-e2e.XXXXXX)
ROOT_COLOR=102030
"$PROBE" root $ROOT_COLOR

# --- the window appears where the settings put it, snapped, shaped and coloured ------------
app=$(make_app one "[System]
SkinName=default
Left=5
Top=300
Color1=FF0000
Color2=00ff00
Color3=#0000FF
Color4=808
AlwaysTop=1
AutoFlex=0
HookKey=87")
start_app "$app"
wid=$(wait_window) || { fail "window appears"; exit 1; }
pass "window appears"
skin="$app/skins/DEFAULT/skin.ini"
read -r wx wy ww wh < <(window_geometry "$wid")
read -r bw bh < <(bmp_size "$app/skins/DEFAULT/$(ini_get "$skin" Main Background)")
expect "window snapped to the left edge at the stored top" "0 300" "$wx $wy"
expect "window has the background's size" "$bw $bh" "$ww $wh"
expect "outermost opaque column is outside the shape" 0 "$("$PROBE" inshape "$wid" 0 $((bh / 2)))"
expect "bottom row is outside the shape" 0 "$("$PROBE" inshape "$wid" $((bw / 2)) $((bh - 1)))"
expect "middle is inside the shape" 1 "$("$PROBE" inshape "$wid" $((bw / 2)) $((bh / 2)))"
expect "desktop shows through outside the shape" $ROOT_COLOR "$("$PROBE" pixel 0 $((300 + bh - 1)))"
expect_contains "window is kept off the taskbar" _NET_WM_STATE_SKIP_TASKBAR "$("$PROBE" state "$wid")"
i=0
for want in FF0000 00FF00 0000FF 808000; do
    i=$((i + 1))
    sx=$(ini_get "$skin" Color$i Left); sy=$(ini_get "$skin" Color$i Top)
    sw=$(ini_get "$skin" Color$i Width); sh=$(ini_get "$skin" Color$i Height)
    expect "swatch $i shows its stored colour" $want \
        "$("$PROBE" pixel $((wx + sx + sw / 2)) $((wy + sy + sh / 2)))"
done
shot default.png

# --- a second start leaves at once and changes nothing ----------------------------------------
t0=$(date +%s%N)
timeout 10 "$app/huebird" >"$WORK/second.out" 2>&1
rc=$?
ms=$(( ($(date +%s%N) - t0) / 1000000 ))
expect "second start exits 0" 0 $rc
check "second start leaves within a second (${ms} ms)" test $ms -lt 1000
check "first instance still runs" kill -0 "$APP_PID"
expect "still one window" 1 "$(count_windows)"

# --- the close button writes the settings back ------------------------------------------------
cx=$(ini_get "$skin" Close Left); cy=$(ini_get "$skin" Close Top)
xdotool mousemove $((wx + cx + 3)) $((wy + cy + 3)) click 1
check "closing ends the program" wait_exit "$APP_PID"
expected="[System]
SkinName=default
Left=0
Top=300
Color1=FF0000
Color2=00FF00
Color3=0000FF
Color4=808000
AlwaysTop=1
AutoFlex=0
HookKey=87
CopyAdd#=1
CopyType=0
PalIndex=0"
expect "settings written back in place, new keys appended" "$expected" "$(cat "$app/palora.ini")"

# --- a missing settings file: a clear line, no window, nothing created -----------------------
app=$(make_app nosettings "")
rm -f "$app/palora.ini"
timeout 10 "$app/huebird" >"$WORK/missing.out" 2>"$WORK/missing.err"
rc=$?
check "missing settings: start fails" test $rc -ne 0 -a $rc -ne 124
expect_contains "missing settings: the message names the file" "$app/palora.ini" "$(cat "$WORK/missing.err")"
check "missing settings: no file created" test ! -e "$app/palora.ini"

# --- a missing skin: a clear line, nothing written --------------------------------------------
app=$(make_app noskin "[System]
SkinName=NOSUCH
Color1=123456")
timeout 10 "$app/huebird" >"$WORK/noskin.out" 2>"$WORK/noskin.err"
check "missing skin: start fails" test $? -ne 0
expect_contains "missing skin: the message names the skin file" "NOSUCH/skin.ini" "$(cat "$WORK/noskin.err")"
expect "missing skin: settings untouched" "[System]
SkinName=NOSUCH
Color1=123456" "$(cat "$app/palora.ini")"

# --- the second stock skin: a pebble with a round hole, centred on (83, 16) -------------------
app=$(make_app pebble "[System]
SkinName=PEBBLE
Left=200
Top=200
Color1=E4572E
Color2=F3A712
Color3=29335C
Color4=A8C686
AutoFlex=0")
start_app "$app"
wid=$(wait_window) || fail "PEBBLE: window appears"
read -r wx wy ww wh < <(window_geometry "$wid")
read -r bw bh < <(bmp_size "$app/skins/PEBBLE/backgrd.bmp")
expect "PEBBLE: window has the background's size" "$bw $bh" "$ww $wh"
expect "PEBBLE: the hole is outside the shape" 0 "$("$PROBE" inshape "$wid" 83 16)"
expect "PEBBLE: the desktop shows through the hole" $ROOT_COLOR "$("$PROBE" pixel $((wx + 83)) $((wy + 16)))"
expect "PEBBLE: beside the hole is inside" 1 "$("$PROBE" inshape "$wid" 70 16)"
expect "PEBBLE: the rounded corner is outside" 0 "$("$PROBE" inshape "$wid" 1 $((bh - 3)))"
shot pebble.png
stop_app

# --- snapping uses the work area the desktop publishes ----------------------------------------
xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "40, 0, 984, 740"
read -r dw dh < <(bmp_size "$APP/skins/DEFAULT/backgrd.bmp")
app=$(make_app workarea "[System]
Left=25
Top=$((740 - dh + 6))
AutoFlex=0")
start_app "$app"
wid=$(wait_window) || fail "work area: window appears"
read -r wx wy ww wh < <(window_geometry "$wid")
expect "work area: snapped to the panel's edge and the work area's bottom" "40 $((740 - wh))" "$wx $wy"
stop_app
xprop -root -remove _NET_WORKAREA

finish
