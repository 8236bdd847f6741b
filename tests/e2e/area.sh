#!/usr/bin/env bash
# End to end: picks that take the mean of the block round the pointer, on the real program on a
# virtual X display: a known pattern whose block has a mean other than its centre pixel, the
# magnifier's outline of the block, the screen's corner, the choice made in the settings menu
# and kept in the settings file.
#   area.sh APP_DIR XPROBE
set -u
export LANG=C.UTF-8 LC_ALL= LANGUAGE=zh_CN
APP=$(cd "$1" && pwd)
PROBE=$2
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"

start_display
trap 'stop_all' EXIT
WORK=$(mktemp -d /tmp/huebird-area.XXXXXX)

# The pattern: a dark blue desktop, a light pixel at (800, 600) and a white one two pixels to
# its right, in the 5 x 5 block but not in the 3 x 3 one.
#   3 x 3: (8 x 20 + F0) / 9, (8 x 40 + F0) / 9, (8 x 60 + F0) / 9 = 55.1, 83.6, 112 -> 375470
#   5 x 5: (23 x 20 + F0 + FF) / 25 ... = 49.2, 78.7, 108.1 -> 314F6C
pattern() {
    "$PROBE" root 204060
    "$PROBE" dot 800 600 F0F0F0
    "$PROBE" dot 802 600 FFFFFF
}
pattern
app=$(make_app area "[System]
Left=300
Top=200
Color1=000000
AutoFlex=0
PickArea=3")
start_app "$app"
wid=$(wait_window) || { fail "area: window appears"; exit 1; }
read -r wx wy _ < <(window_geometry "$wid")
skin="$app/skins/DEFAULT/skin.ini"
sx=$(ini_get "$skin" Color1 Left); sy=$(ini_get "$skin" Color1 Top)
sw=$(ini_get "$skin" Color1 Width); sh=$(ini_get "$skin" Color1 Height)
scx=$((wx + sx + sw / 2)); scy=$((wy + sy + sh / 2))
swatch() { "$PROBE" pixel $scx $scy; }
expect "area: the pattern's centre pixel" F0F0F0 "$("$PROBE" pixel 800 600)"

# A held pick over the pattern: the swatch shows the mean, the magnifier outlines the block.
xdotool mousemove $scx $scy mousedown 1
xdotool mousemove 800 600
check "area: 3 x 3 shows the mean of the block while the button is held" \
    wait_until 3 'test "$(swatch)" = 375470'
# The magnifier's picture starts 3 pixels into it, at (200, 80); the outline runs round the
# block's enlarged pixels from (17, 17), two pixels black and two white.
check "area: the magnifier outlines the block" \
    wait_until 3 'test "$("$PROBE" pixel 220 100) $("$PROBE" pixel 222 100)" = "000000 FFFFFF"'
shot area-3x3.png
xdotool mouseup 1
check "area: the magnifier closes at the release" wait_until 3 'test "$(count_windows)" = 1'
expect "area: the swatch keeps the mean" 375470 "$(swatch)"

# At the screen's corner the pixels beyond it are left out, not read as black.
xdotool mousemove $scx $scy mousedown 1
xdotool mousemove 0 0
check "area: at the corner the mean is the desktop's colour, not darkened" \
    wait_until 3 'test "$(swatch)" = 204060'
xdotool mouseup 1
check "area: the corner pick is kept" wait_until 3 'test "$(count_windows)" = 1 && test "$(swatch)" = 204060'

# 5 x 5 from the settings menu: 设置 (second), 取色范围 (sixth), its third item.
xdotool mousemove $((wx + $(ini_get "$skin" Menu Left) + 3)) $((wy + $(ini_get "$skin" Menu Top) + 3)) click 1
check "area: the main menu opens" wait_for 5 popup_open
for k in Down Down Right Down Down Down Down Down Right; do
    xdotool key "$k"
    sleep 0.15
done
shot area-menu.png
xdotool key Down Down Return
check "area: the menu closes" wait_until 3 '! popup_open'
pattern
xdotool mousemove $scx $scy mousedown 1
xdotool mousemove 800 600
check "area: 5 x 5 chosen in the menu takes the larger block" \
    wait_until 3 'test "$(swatch)" = 314F6C'
shot area-5x5.png
xdotool mouseup 1
check "area: the magnifier closes again" wait_until 3 'test "$(count_windows)" = 1'

# The close writes the choice, in the key's place.
close_app() {
    local cx cy
    cx=$(ini_get "$skin" Close Left); cy=$(ini_get "$skin" Close Top)
    xdotool mousemove $((wx + cx + 3)) $((wy + cy + 3)) click 1
    check "area: closing ends the program" wait_exit "$APP_PID"
}
# The keys of [System] in the file's order.
system_keys() { tr -d '\r' <"$app/palora.ini" | sed -n '/^\[System\]/,/^\[/p' | grep -v '^\[' | cut -d= -f1 | tr '\n' ' '; }
close_app
expect "area: the choice is saved" "PickArea=5" "$(grep '^PickArea=' "$app/palora.ini" | tr -d '\r')"
expect "area: the stored colour is the 5 x 5 mean" 314F6C "$(ini_get "$app/palora.ini" System Color1)"

# 1 x 1 after a restart with the key gone: the pointer's own pixel, as before.
sed -i '/^PickArea=/d' "$app/palora.ini"
start_app "$app"
wid=$(wait_window) || fail "area: window appears again"
pattern
xdotool mousemove $scx $scy mousedown 1
xdotool mousemove 800 600
check "area: without the key a pick takes the pointer's pixel" \
    wait_until 3 'test "$(swatch)" = F0F0F0'
xdotool mouseup 1
check "area: the last pick ends" wait_until 3 'test "$(count_windows)" = 1'
close_app
expect "area: a file without the key gains it after every other key" \
    "Left Top Color1 AutoFlex SkinName AlwaysTop HookKey Color2 Color3 Color4 CopyAdd# CopyType PalIndex PickArea " \
    "$(system_keys)"
expect "area: as 1" "PickArea=1" "$(grep '^PickArea=' "$app/palora.ini" | tr -d '\r')"

finish
