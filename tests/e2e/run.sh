#!/usr/bin/env bash
# End to end: the real program, started from copies of its app folder on a virtual X display,
# observed from outside (window geometry and shape, screen pixels, files on disk).
#   run.sh APP_DIR XPROBE
set -u
# The checks read the program's own (Chinese) texts: the language is set, not inherited. The
# program reads LANGUAGE first; the tools keep a locale every machine has.
export LANG=C.UTF-8 LC_ALL= LANGUAGE=zh_CN
APP=$(cd "$1" && pwd)
PROBE=$2
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"

start_display
trap 'stop_all' EXIT
WORK=$(mktemp -d /tmp/huebird-e2e.XXXXXX)
ROOT_COLOR=102030
"$PROBE" root $ROOT_COLOR
read -r dw dh < <(bmp_size "$APP/skins/DEFAULT/backgrd.bmp")

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

# --- the command line: information without a display or the lock, mistakes and no display -----
out=$("$app/huebird" --help 2>/dev/null); rc=$?
expect "--help prints its usage and exits 0 while another instance runs" "0 Usage: huebird" \
    "$rc $(printf '%s' "$out" | head -1 | cut -c1-14)"
out=$(env -u DISPLAY "$app/huebird" --version 2>/dev/null); rc=$?
expect_contains "--version exits 0 without a display" "0 Huebird " "$rc $out"
err=$("$app/huebird" --colour 2>&1 >/dev/null); rc=$?
expect "an unknown option exits 2" 2 $rc
expect_contains "an unknown option is named, with the usage" "unknown option: --colour" "$err"
err=$(env -u DISPLAY "$app/huebird" 2>&1); rc=$?
expect "without a display: exit 1" 1 $rc
expect "without a display: one clear line" 1 "$(printf '%s\n' "$err" | grep -c .)"

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
PalIndex=0
PickArea=1"
expect "settings written back in place, new keys appended" "$expected" "$(cat "$app/palora.ini")"

# --- a settings file that cannot be written: the close shows the box and waits for it ----------
# A read-only bind mount fails every write, even for root. Closing twenty times catches a box
# that is only sometimes shown.
ro=$(make_app readonly "[System]
AutoFlex=0
Left=300
Top=300")
if mount --bind "$ro" "$ro" 2>/dev/null && mount -o remount,ro,bind "$ro" 2>/dev/null; then
    shown=0
    for i in $(seq 1 20); do
        start_app "$ro"
        wid=$(wait_window) || break
        read -r wx wy _ _ < <(window_geometry "$wid")
        xdotool mousemove $((wx + cx + 3)) $((wy + cy + 3)) click 1
        box=$(wait_other_window "$wid") || break
        kill -0 "$APP_PID" 2>/dev/null || break      # still running while the box is up
        case "$(xprop -id "$box" WM_NAME 2>/dev/null)" in *Huebird*) ;; *) break ;; esac
        # Answer the box (again, should a key arrive before the box takes keys).
        for _ in 1 2 3 4 5; do
            xdotool windowfocus "$box" key Return 2>/dev/null
            wait_for 1 bash -c "! kill -0 $APP_PID 2>/dev/null" && break
        done
        wait_exit "$APP_PID" || break
        shown=$((shown + 1))
    done
    expect "read-only settings: every close shows the error box and waits for it" 20 "$shown"
    stop_app
    umount "$ro"
else
    echo "skip read-only settings: this machine cannot make a read-only bind mount"
fi

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

# --- picking a colour from the desktop, stepping it, and keeping it over a restart ----------
app=$(make_app pick "[System]
Left=300
Top=200
Color1=000000
AutoFlex=0")
start_app "$app"
wid=$(wait_window) || fail "pick: window appears"
read -r wx wy ww wh < <(window_geometry "$wid")
sx=$(ini_get "$skin" Color1 Left); sy=$(ini_get "$skin" Color1 Top)
sw=$(ini_get "$skin" Color1 Width); sh=$(ini_get "$skin" Color1 Height)
scx=$((wx + sx + sw / 2)); scy=$((wy + sy + sh / 2))
"$PROBE" root 4A7F2C
xdotool mousemove $scx $scy mousedown 1
sleep 0.2
xdotool mousemove 800 600
sleep 0.4
expect "pick: the swatch shows the pixel under the pointer while the button is held" 4A7F2C \
    "$("$PROBE" pixel $scx $scy)"
expect "pick: the magnifier is shown during the pick" 2 "$(count_windows)"
zoom=$(xdotool search --onlyvisible --name '^Huebird$' | while read -r w; do
    [ "$w" != "$wid" ] && echo "$w"; done | head -n 1)
[ -n "$zoom" ] && read -r zx zy zw zh < <(window_geometry "$zoom")
expect "pick: the magnifier is 94 x 51 at the right place" "200 80 94 51" "${zx:-} ${zy:-} ${zw:-} ${zh:-}"
shot picking.png
xdotool mouseup 1
sleep 0.2
expect "pick: the magnifier is gone after the release" 1 "$(count_windows)"
"$PROBE" root $ROOT_COLOR
expect "pick: the swatch keeps the picked colour" 4A7F2C "$("$PROBE" pixel $scx $scy)"
bx=$(ini_get "$skin" AddRed Left); by=$(ini_get "$skin" AddRed Top)
xdotool mousemove $((wx + bx + 4)) $((wy + by + 4)) click 1
sleep 0.2
expect "step: the red plus button adds exactly 5" 4F7F2C "$("$PROBE" pixel $scx $scy)"
bx=$(ini_get "$skin" SubRGB Left); by=$(ini_get "$skin" SubRGB Top)
xdotool mousemove $((wx + bx + 4)) $((wy + by + 4)) click 1
sleep 0.2
expect "step: the all-minus button takes 5 from each" 4A7A27 "$("$PROBE" pixel $scx $scy)"

# Keyboard steering: an arrow lands a held pick on a one-pixel line, Escape gives the stored
# colour back and records nothing.
"$PROBE" dot 801 600 FF00FF
xdotool windowfocus "$wid"
xdotool mousemove $scx $scy mousedown 1
sleep 0.2
xdotool mousemove 800 600
sleep 0.3
xdotool key Right
sleep 0.1
expect "keys: Right moves the pointer one pixel" "801 600" \
    "$(xdotool getmouselocation | sed 's/x:\([0-9]*\) y:\([0-9]*\).*/\1 \2/')"
expect "keys: the pick lands on the one-pixel line" FF00FF "$("$PROBE" pixel $scx $scy)"
xdotool key shift+Down
sleep 0.1
expect "keys: Shift+Down moves it ten" "801 610" \
    "$(xdotool getmouselocation | sed 's/x:\([0-9]*\) y:\([0-9]*\).*/\1 \2/')"
xdotool key Escape
sleep 0.2
expect "keys: Escape gives the stored colour back" 4A7A27 "$("$PROBE" pixel $scx $scy)"
expect "keys: Escape closes the magnifier" 1 "$(count_windows)"
xdotool mouseup 1
sleep 0.2
expect "keys: the release after Escape records nothing" 4A7A27 "$("$PROBE" pixel $scx $scy)"
"$PROBE" root $ROOT_COLOR

# Dragging by the background: the window follows the pointer exactly, then snaps.
gx=$((wx + $(ini_get "$skin" Menu Left) + 40)); gy=$((wy + $(ini_get "$skin" Menu Top) + 4))
xdotool mousemove $gx $gy mousedown 1
sleep 0.1
xdotool mousemove $((gx + 15)) $((gy + 5))
sleep 0.1
xdotool mousemove $((gx + 30)) $((gy + 10))
sleep 0.2
read -r nx ny _ < <(window_geometry "$wid")
expect "drag: the window moved by the pointer's travel" "$((wx + 30)) $((wy + 10))" "$nx $ny"
xdotool mousemove $((gx - wx + 6)) $((gy + 10))
sleep 0.2
read -r nx ny _ < <(window_geometry "$wid")
expect "drag: within 10 pixels of the left edge it snaps onto it" "0 $((wy + 10))" "$nx $ny"
xdotool mouseup 1
read -r wx wy ww wh < <(window_geometry "$wid")
cx=$(ini_get "$skin" Close Left); cy=$(ini_get "$skin" Close Top)
xdotool mousemove $((wx + cx + 3)) $((wy + cy + 3)) click 1
check "pick: closing ends the program" wait_exit "$APP_PID"
expect_contains "pick: the picked and stepped colour is saved" "Color1=4A7A27" "$(cat "$app/palora.ini")"
start_app "$app"
wid=$(wait_window) || fail "pick: window appears again"
read -r wx wy ww wh < <(window_geometry "$wid")
expect "pick: the colour survives a restart" 4A7A27 "$("$PROBE" pixel $((wx + sx + sw / 2)) $((wy + sy + sh / 2)))"
stop_app

# --- automatic size: rolled up while the pointer is away, unrolled when it is back -----------
fw=$(ini_get "$skin" AutoFlex FlexWidth); fh=$(ini_get "$skin" AutoFlex FlexHeight)
app=$(make_app flex "[System]
Left=400
Top=300
AutoFlex=1")
xdotool mousemove 900 700
start_app "$app"
wid=$(wait_window) || fail "roll-up: window appears"
rolled() { read -r _ _ w h < <(window_geometry "$wid"); [ "$w $h" = "$((fw + 1)) $((fh + 1))" ]; }
unrolled() { read -r _ _ w h < <(window_geometry "$wid"); [ "$w $h" = "$dw $dh" ]; }
check "roll-up: the window rolls up to the skin's small size within 11 s" wait_for 11 rolled
read -r rx ry _ < <(window_geometry "$wid")
expect "roll-up: the top-left corner stays" "400 300" "$rx $ry"
shot rolled.png
xdotool mousemove 410 310
check "roll-up: it unrolls to full size within 2 s of the pointer's return" wait_for 2 unrolled
stop_app

# --- a screen scaled by two: drawn at twice the size, picks read device pixels -----------------
app=$(make_app scaled "[System]
Left=300
Top=200
Color1=000000
AutoFlex=0")
QT_SCALE_FACTOR=2 "$app/huebird" >"$WORK/app.out" 2>&1 &
APP_PID=$!
wid=$(wait_window) || fail "scaled: window appears"
read -r wx wy ww wh < <(window_geometry "$wid")
expect "scaled: the window is twice the skin, at the stored device pixels" \
    "300 200 $((2 * dw)) $((2 * dh))" "$wx $wy $ww $wh"
expect "scaled: the outline is cut at twice the size" "0 0 1" \
    "$("$PROBE" inshape "$wid" 1 $dh) $("$PROBE" inshape "$wid" 2 $((2 * dh - 1))) $("$PROBE" inshape "$wid" $dw $dh)"
scx=$((wx + 2 * (sx + sw / 2))); scy=$((wy + 2 * (sy + sh / 2)))
"$PROBE" root 203040
"$PROBE" dot 901 700 FF00FF
xdotool windowfocus "$wid"
xdotool mousemove $scx $scy mousedown 1
sleep 0.2
xdotool mousemove 900 700
sleep 0.3
expect "scaled: a pick beyond the top-left quarter reads the screen" 203040 "$("$PROBE" pixel $scx $scy)"
xdotool key Right
sleep 0.1
expect "scaled: one arrow step is one device pixel" FF00FF "$("$PROBE" pixel $scx $scy)"
xdotool mouseup 1
sleep 0.2
shot scaled.png
"$PROBE" close "$wid"
check "scaled: closing ends the program" wait_exit "$APP_PID"
expect "scaled: the file keeps device pixels and the pick" "300 200 FF00FF" \
    "$(ini_get "$app/palora.ini" System Left) $(ini_get "$app/palora.ini" System Top) $(ini_get "$app/palora.ini" System Color1)"
"$PROBE" root $ROOT_COLOR

# A screen whose DPI asks for scaling (Xft.dpi 192) scales the same way, by itself.
if command -v xrdb >/dev/null; then
    echo "Xft.dpi: 192" | xrdb -nocpp -merge
    start_app "$app"
    wid=$(wait_window) || fail "Xft.dpi 192: window appears"
    read -r wx wy ww wh < <(window_geometry "$wid")
    expect "Xft.dpi 192: the window is twice the skin, at the stored device pixels" \
        "300 200 $((2 * dw)) $((2 * dh))" "$wx $wy $ww $wh"
    stop_app
    xrdb -remove
fi

# --- the clipboard: every notation out with F4 and Ctrl+C, codes in with F5 and Ctrl+V ------
copy_with() {  # copy_with COPYTYPE ADDHASH KEY: what the program puts on the clipboard
    local dir
    dir=$(make_app "copy$1$2$3" "[System]
Color1=123456
CopyType=$1
CopyAdd#=$2
AutoFlex=0")
    start_app "$dir"
    local w
    w=$(wait_window) || return 1
    printf 'stale' | xclip -selection clipboard -i
    xdotool windowfocus "$w" key "$3"
    sleep 0.3
    xclip -selection clipboard -o 2>/dev/null
    stop_app
}
expect "copy: F4, hexadecimal with #" "#123456" "$(copy_with 0 1 F4)"
expect "copy: Ctrl+C, hexadecimal without #" "123456" "$(copy_with 0 0 ctrl+c)"
expect "copy: F4, RGB notation" "RGB(018, 052, 086)" "$(copy_with 1 1 F4)"
expect "copy: Ctrl+C, decimal notation" "1193046" "$(copy_with 2 1 ctrl+c)"

app=$(make_app paste "[System]
Left=300
Top=200
Color1=000000
AutoFlex=0")
start_app "$app"
wid=$(wait_window) || fail "paste: window appears"
read -r wx wy _ < <(window_geometry "$wid")
pcx=$((wx + sx + sw / 2)); pcy=$((wy + sy + sh / 2))
printf '#12AB9f' | xclip -selection clipboard -i
xdotool windowfocus "$wid" key F5
sleep 0.3
expect "paste: F5 takes a code another program copied" 12AB9F "$("$PROBE" pixel $pcx $pcy)"
printf 'FF8' | xclip -selection clipboard -i
xdotool windowfocus "$wid" key ctrl+v
sleep 0.3
expect "paste: Ctrl+V, a short code is filled up" FF8000 "$("$PROBE" pixel $pcx $pcy)"
printf 'RGB(1, 2, 3)' | xclip -selection clipboard -i
xdotool windowfocus "$wid" key F5
sleep 0.3
expect "paste: text that is no code changes nothing" FF8000 "$("$PROBE" pixel $pcx $pcy)"
xdotool windowfocus "$wid" key F4
sleep 0.3
expect "copy: what Huebird copies pastes elsewhere" "#FF8000" "$(xclip -selection clipboard -o 2>/dev/null)"
stop_app

# --- favourites: added in the manager, shown and applied from the swatch menu, moved --------
app=$(make_app favourites "[System]
Left=300
Top=200
Color1=87CEEB
Color2=000000
AutoFlex=0
[BookMarks]
[BookMarks1]
[BookMarks2]")
start_app "$app"
wid=$(wait_window) || fail "favourites: window appears"
read -r wx wy _ < <(window_geometry "$wid")
c2x=$((wx + $(ini_get "$skin" Color2 Left) + sw / 2)); c2y=$((wy + $(ini_get "$skin" Color2 Top) + sh / 2))
xdotool windowfocus "$wid" key F2
dialog=$(wait_other_window "$wid") || fail "favourites: F2 opens the manager"
read -r dx dy mw mh < <(window_geometry "$dialog")
expect "favourites: the manager is 332 x 316" "332 316" "$mw $mh"
xdotool type --delay 20 "Sky"  # the name field has the focus
xdotool mousemove $((dx + 37)) $((dy + 269)) click 1   # 添加
sleep 0.3
shot manager.png
xdotool mousemove $((dx + 239)) $((dy + 297)) click 1  # 确定
sleep 0.3
expect "favourites: the manager closes" 1 "$(count_windows)"
expect_contains "favourites: the entry is in the settings file" "[BookMarks]
Sky=87CEEB" "$(tr -d '\r' <"$app/palora.ini")"
xdotool mousemove $c2x $c2y click 3   # the swatch menu of the second swatch
sleep 0.4
xdotool key Down Right
sleep 0.4
shot swatch-menu.png
xdotool key Return
sleep 0.3
expect "favourites: the entry applies to the clicked swatch" 87CEEB "$("$PROBE" pixel $c2x $c2y)"

# Move it to the second list: the file and the menus change together.
xdotool windowfocus "$wid" key ctrl+o
dialog=$(wait_other_window "$wid") || fail "favourites: Ctrl+O opens the manager"
read -r dx dy _ < <(window_geometry "$dialog")
xdotool mousemove $((dx + 40)) $((dy + 161)) click 1     # Sky in the left list
xdotool mousemove $((dx + 255)) $((dy + 138)) click 1    # the target list box...
sleep 0.3
xdotool key Down Return                                  # ...second list
sleep 0.2
xdotool mousemove $((dx + 166)) $((dy + 186)) click 1    # =>
sleep 0.3
xdotool mousemove $((dx + 239)) $((dy + 297)) click 1    # 确定
sleep 0.3
settings=$(tr -d '\r' <"$app/palora.ini")
expect_contains "favourites: moved into the second list in the file" "[BookMarks1]
Sky=87CEEB" "$settings"
expect_contains "favourites: and out of the first" "[BookMarks]
[BookMarks1]" "$settings"
xdotool mousemove $pcx $pcy click 1   # select swatch 1 and give it another colour
printf '000000' | xclip -selection clipboard -i
xdotool windowfocus "$wid" key F5
sleep 0.2
xdotool mousemove $((wx + sx + sw / 2)) $((wy + sy + sh / 2)) click 3
sleep 0.4
xdotool key Down Down Right Return
sleep 0.3
expect "favourites: the moved entry applies from the second list's menu" 87CEEB \
    "$("$PROBE" pixel $((wx + sx + sw / 2)) $((wy + sy + sh / 2)))"
stop_app

# --- manual input: a double-click opens it, a colour typed in applies ------------------------
app=$(make_app input "[System]
Left=300
Top=200
Color1=000000
AutoFlex=1")
start_app "$app"
wid=$(wait_window) || fail "input: window appears"
read -r wx wy _ < <(window_geometry "$wid")
xdotool mousemove $gx $gy
xdotool mousemove $((wx + $(ini_get "$skin" Menu Left) + 40)) $((wy + $(ini_get "$skin" Menu Top) + 4))
xdotool click --repeat 2 --delay 80 1
input=$(wait_other_window "$wid") || fail "input: a double-click opens the input window"
read -r ix iy iw ih < <(window_geometry "$input")
expect "input: placed 40 left of the window, below the skin, 245 x 31" \
    "$((wx - 40)) $((wy + dh + 20)) 245 31" "$ix $iy $iw $ih"
shot input.png
xdotool mousemove $((ix + 120)) $((iy + 15)) click 1   # the red field
xdotool key End BackSpace BackSpace BackSpace
xdotool type --delay 20 "300"
xdotool key Tab End BackSpace BackSpace BackSpace
xdotool type --delay 20 "20"
xdotool key Tab End BackSpace BackSpace BackSpace
xdotool type --delay 20 "0"
xdotool key Return
sleep 0.3
expect "input: a decimal entry above 255 is taken as 255" FF1400 \
    "$("$PROBE" pixel $((wx + sx + sw / 2)) $((wy + sy + sh / 2)))"
xdotool mousemove $((wx + $(ini_get "$skin" Menu Left) + 40)) $((wy + $(ini_get "$skin" Menu Top) + 4))
xdotool click --repeat 2 --delay 80 1
sleep 0.4
expect "input: a second double-click closes it" 1 "$(count_windows)"
stop_app

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

# --- the hot-key: Ctrl + the stored key, pressed over another window, hides and shows ----------
viewable() { xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
hidden() { ! viewable "$1"; }
app=$(make_app hotkey "[System]
Left=300
Top=200
AutoFlex=0
HookKey=116")
start_app "$app"
wid=$(wait_window) || fail "hot-key: window appears"
before=$(window_geometry "$wid")
xdotool mousemove 900 700   # over the desktop: the keys go to whatever has the focus
sleep 0.5                   # the library grabs on its own thread
xdotool key ctrl+w
sleep 0.3
check "hot-key: Ctrl+W does nothing when the key is F5" viewable "$wid"
xdotool key ctrl+F5
check "hot-key: Ctrl+F5 hides the window" wait_for 2 hidden "$wid"
# No tray on this display: the first hide names the key that brings the window back.
box=$(wait_other_window "$wid")
check "hot-key: without a tray the first hide gives a notice" test -n "$box"
[ -n "$box" ] && xdotool windowfocus "$box" key Return 2>/dev/null
sleep 0.3
xdotool key ctrl+F5
check "hot-key: Ctrl+F5 brings it back" wait_for 2 viewable "$wid"
expect "hot-key: back at the same place" "$before" "$(window_geometry "$wid")"
expect "hot-key: still kept off the taskbar" "_NET_WM_STATE_SKIP_TASKBAR _NET_WM_STATE_SKIP_PAGER" \
    "$("$PROBE" state "$wid" | grep SKIP | tr '\n' ' ' | sed 's/ $//')"
read -r wx wy _ < <(window_geometry "$wid")
xdotool mousemove $((wx + cx + 3)) $((wy + cy + 3)) click 1
wait_exit "$APP_PID"
expect "hot-key: the key is written back" 116 "$(ini_get "$app/palora.ini" System HookKey)"

app=$(make_app hotkey-clamp "[System]
Left=300
Top=200
AutoFlex=0
HookKey=-5")
start_app "$app"
wid=$(wait_window) || fail "hot-key clamp: window appears"
sleep 0.5
xdotool mousemove 900 700 key ctrl+w
check "hot-key: a stored -5 answers Ctrl+W" wait_for 2 hidden "$wid"
box=$(wait_other_window "$wid") && xdotool windowfocus "$box" key Return 2>/dev/null
sleep 0.3
xdotool key ctrl+w
wait_for 2 viewable "$wid"
read -r wx wy _ < <(window_geometry "$wid")
xdotool mousemove $((wx + cx + 3)) $((wy + cy + 3)) click 1
wait_exit "$APP_PID"
expect "hot-key: the clamped key is written back" 87 "$(ini_get "$app/palora.ini" System HookKey)"

# Another program holds Ctrl+W: the notice names the key instead of a silent failure.
"$PROBE" holdkey w 20 >"$WORK/holder.out" &
holder=$!
wait_for 2 grep -q held "$WORK/holder.out"
app=$(make_app hotkey-taken "[System]
Left=300
Top=200
AutoFlex=0")
start_app "$app"
wid=$(wait_window) || fail "hot-key taken: window appears"
box=$(wait_other_window "$wid")
check "hot-key: a key held by another program gives a notice" test -n "$box"
[ -n "$box" ] && xdotool windowfocus "$box" key Return 2>/dev/null
kill $holder 2>/dev/null; wait $holder 2>/dev/null
stop_app

finish
