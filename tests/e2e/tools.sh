#!/usr/bin/env bash
# End to end: the colour tools and the dialogs around the work, on the real program on a virtual
# X display: the palette window, the contrast dialog, the label font dialog, the about box with
# its basic settings, help and the web links (a stand-in xdg-open records what is opened).
#   tools.sh APP_DIR XPROBE
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
WORK=$(mktemp -d /tmp/huebird-tools.XXXXXX)
"$PROBE" root 000000

# The desktop's default handler, as the program reaches it: records every address.
mkdir -p "$WORK/bin"
OPENED="$WORK/opened.txt"
: >"$OPENED"
printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s"\n' "$OPENED" >"$WORK/bin/xdg-open"
chmod +x "$WORK/bin/xdg-open"
export PATH="$WORK/bin:$PATH"
unset BROWSER DEFAULT_BROWSER

SETTINGS="[System]
SkinName=default
Left=300
Top=200
Color1=87CEEB
Color2=000000
AutoFlex=0
PalIndex=0"

# The first swatch's centre and the menu button, for a window at (300, 200).
SW1X=318
SW1Y=238
swatch() { "$PROBE" pixel $SW1X $SW1Y; }

# swatch_menu KEYS...: opens the first swatch's menu and walks it with the keys.
swatch_menu() {
    xdotool mousemove $SW1X $SW1Y click 3
    sleep 0.4
    xdotool key "$@"
}
# main_menu KEYS...: opens the main menu from the menu button and walks it with the keys.
main_menu() {
    xdotool mousemove 309 206 click 1
    sleep 0.4
    local k
    for k in "$@"; do
        xdotool key "$k"
        sleep 0.15
    done
}
# The dialog the program shows besides its main window, and its place.
dialog_at() {
    local d
    d=$(wait_other_window "$wid") || return 1
    window_geometry "$d"
}
palette_window() { xdotool search --onlyvisible --name '常用调色板' 2>/dev/null | head -1; }
# The top-left corner of the picture on the palette window's page: its first black pixel.
picture_origin() { "$PROBE" first $(($1)) $(($2 + 43)) 243 100 000000; }

app=$(make_app tools "$SETTINGS")
start_app "$app"
wid=$(wait_window) || { fail "window appears"; exit 1; }

# --- the palette window: clicks adopt the screen's pixel, the page is kept -------------------
swatch_menu Up Up Up Up Up Return  # " 常用调色板"
check "palette: the swatch menu opens a palette window" wait_until 3 'test -n "$(palette_window)"'
pw=$(palette_window)
read -r px py pww pwh < <(window_geometry "$pw")
expect "palette: placed right of the main window at its top" "458 200" "$px $py"
read -r ox oy < <(picture_origin "$px" "$py")
check "palette: the My picture shows" test -n "${ox:-}"
shot palette-my.png
# My, row 8, column 10: a web-safe colour by the picture's rule.
xdotool mousemove $((ox + 105)) $((oy + 85)) click 1
check "palette: a click on a web-safe cell gives the swatch CC9966" wait_until 2 'test "$(swatch)" = CC9966'
xdotool mousemove $((ox + 10)) $((oy + 85)) click 1
check "palette: a click on a grid line gives black" wait_until 2 'test "$(swatch)" = 000000'
xdotool windowfocus "$pw" key ctrl+Tab  # to "Adobe"
sleep 0.4
read -r ax ay < <(picture_origin "$px" "$py")
expect "palette: the Adobe picture sits at its place" "$((ox + 35)) $((oy + 22))" "${ax:-} ${ay:-}"
xdotool mousemove $((ax + 15 * 8 + 4)) $((ay + 7 * 8 + 4)) click 1
check "palette: a click on an empty cell gives the grey on the screen there" \
    wait_until 2 'test "$(swatch)" = D4D0C8'
"$PROBE" close "$pw"
check "palette: the window closes" wait_until 2 'test -z "$(palette_window)"'
swatch_menu Up Up Up Up Up Return
check "palette: a second window opens" wait_until 3 'test -n "$(palette_window)"'
pw=$(palette_window)
read -r ax2 ay2 < <(picture_origin "$px" "$py")
expect "palette: it opens on the page shown at the last close" "$ax $ay" "${ax2:-} ${ay2:-}"
xdotool mousemove $((ax + 4)) $((ay + 4)) click 1
check "palette: Adobe's first cell gives FF0000" wait_until 2 'test "$(swatch)" = FF0000'
"$PROBE" close "$pw"
wait_until 2 'test -z "$(palette_window)"'

# --- the contrast dialog: typed, exchanged twice, accepted ------------------------------------
swatch_menu Up Up Up Return  # " 对比色"
read -r dx dy dw dh < <(dialog_at) || fail "contrast: the dialog opens"
# 381 wide; 181 high, or a little more where two rows of the readout need it.
expect "contrast: centred on the desktop, 381 wide" "$(((1024 - dw) / 2)) $(((768 - dh) / 2)) 381" "$dx $dy $dw"
check "contrast: at least 181 high" test "$dh" -ge 181
preview() { "$PROBE" pixel $((dx + 31)) $((dy + 73)); }
expect "contrast: the preview starts on the swatch's colour" FF0000 "$(preview)"
xdotool mousemove $((dx + 358)) $((dy + 93)) click 1  # the green box
xdotool key End BackSpace BackSpace BackSpace
xdotool type --delay 30 "200"
check "contrast: typing 200 in the green box moves the preview" wait_until 2 'test "$(preview)" = FFC800'
xdotool mousemove $((dx + 63)) $((dy + 90)) click 1  # exchange
check "contrast: exchanging shows the comparison colour" wait_until 2 'test "$(preview)" = FF0000'
xdotool mousemove $((dx + 63)) $((dy + 90)) click 1
check "contrast: exchanging again brings the edit back" wait_until 2 'test "$(preview)" = FFC800'
shot contrast.png
xdotool mousemove $((dx + 295)) $((dy + 168)) click 1  # 确定
check "contrast: OK gives the swatch the edited colour" wait_until 2 'test "$(swatch)" = FFC800'
expect "contrast: the dialog is gone" 1 "$(count_windows)"

# --- PalIndex and the new colour reach the file at exit --------------------------------------
skin="$app/skins/DEFAULT/skin.ini"
cx=$(ini_get "$skin" Close Left); cy=$(ini_get "$skin" Close Top)
xdotool mousemove $((300 + cx + 3)) $((200 + cy + 3)) click 1
check "closing ends the program" wait_exit "$APP_PID"
expect "PalIndex: the page shown at the last close is written" 1 "$(ini_get "$app/palora.ini" System PalIndex)"
expect "the contrast dialog's colour is written" FFC800 "$(ini_get "$app/palora.ini" System Color1)"

# --- the label font dialog: OK stores six upper-case colours and the weight; Cancel nothing ----
sed -i 's/^RedColor=.*/RedColor=#ff8000/' "$skin"
start_app "$app"
wid=$(wait_window) || fail "font: window appears again"
cp "$skin" "$WORK/skin.before"
main_menu Down Down Right Down Down Return  # 设置 > 更改字体
read -r fx fy fw fh < <(dialog_at) || fail "font: the dialog opens"
expect "font: beside the main window, client 271 x 207" "478 200 271 207" "$fx $fy $fw $fh"
xdotool mousemove $((fx + 178)) $((fy + 79)) click 1  # 粗
sleep 0.2
xdotool mousemove $((fx + 207)) $((fy + 148)) click 1  # 取消
wait_until 2 'test "$(count_windows)" = 1'
check "font: Cancel writes nothing" cmp -s "$skin" "$WORK/skin.before"
main_menu Down Down Right Down Down Return
read -r fx fy _ _ < <(dialog_at) || fail "font: the dialog opens again"
xdotool mousemove $((fx + 178)) $((fy + 79)) click 1  # 粗
sleep 0.2
shot font.png
xdotool mousemove $((fx + 207)) $((fy + 116)) click 1  # 确定
wait_until 2 'test "$(count_windows)" = 1'
expect "font: OK writes the colours as six upper-case digits" \
    "FF8000 E6EDF3 E6EDF3 8B949E 8B949E 8B949E 1" \
    "$(for k in RedColor GreenColor BlueColor RgbColor1 RgbColor2 RgbColor3 FontIsBold; do
           printf '%s ' "$(ini_get "$skin" FontColor $k)"; done | sed 's/ $//')"
expect "font: positions and other sections are untouched" \
    "$(grep -v -e '^RedColor=' -e '^FontIsBold=' "$WORK/skin.before")" \
    "$(grep -v -e '^RedColor=' -e '^FontIsBold=' "$skin")"

# --- the about box and the basic settings ------------------------------------------------------
copy() {
    printf 'stale' | xclip -selection clipboard -i
    xdotool windowfocus "$wid" key F4
    sleep 0.3
    xclip -selection clipboard -o 2>/dev/null
}
main_menu Up Return  # 关于
read -r bx by bw bh < <(dialog_at) || fail "about: 关于 opens the about box"
expect "about: centred over the main window, client 362 x 203" "198 150 362 203" "$bx $by $bw $bh"
shot about.png
xdotool mousemove $((bx + 202)) $((by + 103)) click 1  # where RGB值 would be on page 3
xdotool mousemove $((bx + 265)) $((by + 191)) click 1  # 确定
wait_until 2 'test "$(count_windows)" = 1'
expect "about: it opened on its first page, and OK kept the notation" "#FFC800" "$(copy)"
main_menu Down Down Right Down Down Down Down Return  # 设置 > 基本设置
read -r bx by _ _ < <(dialog_at) || fail "about: 基本设置 opens the about box"
xdotool mousemove $((bx + 202)) $((by + 103)) click 1  # RGB值
sleep 0.2
shot basic-settings.png
xdotool mousemove $((bx + 322)) $((by + 191)) click 1  # 取消
wait_until 2 'test "$(count_windows)" = 1'
expect "about: Cancel changes nothing" "#FFC800" "$(copy)"
main_menu Down Down Right Down Down Down Down Return
read -r bx by _ _ < <(dialog_at) || fail "about: 基本设置 opens again"
xdotool mousemove $((bx + 202)) $((by + 103)) click 1  # RGB值
xdotool mousemove $((bx + 20)) $((by + 193)) click 1   # the footer link
xdotool mousemove $((bx + 265)) $((by + 191)) click 1  # 确定
wait_until 2 'test "$(count_windows)" = 1'
expect "about: on its settings page, RGB值 and OK make the next copy RGB" "RGB(255, 200, 000)" "$(copy)"
check "about: the footer link opens its address" wait_for 3 grep -qx "https://www.huebird.example" "$OPENED"

# --- help and the download page ---------------------------------------------------------------
: >"$OPENED"
main_menu Up Up Return  # 帮助, without readme.htm
sleep 1
expect "help: without readme.htm nothing opens" "" "$(cat "$OPENED")"
cp "$APP/readme.htm" "$app/"
main_menu Up Up Return
check "help: readme.htm opens with the default handler" \
    wait_for 3 grep -qx "file://$app/readme.htm" "$OPENED"
main_menu Down Down Right Down Down Down Down Down Down Return  # 设置 > 下载新皮肤
check "download: the skin page opens" wait_for 3 grep -qx "https://huebird.example/skins" "$OPENED"
# A desktop with nothing to open the page with: the user hears so, not only standard error.
printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s"\nexit 3\n' "$OPENED" >"$WORK/bin/xdg-open"
main_menu Down Down Right Down Down Down Down Down Down Return
check "download: a desktop that cannot open the page says so in a notice" \
    wait_until 3 'test "$(count_windows)" = 2'
shot open-failed.png
xdotool key Return
check "download: the notice goes with its OK" wait_until 3 'test "$(count_windows)" = 1'

xdotool mousemove $((300 + cx + 3)) $((200 + cy + 3)) click 1
check "closing ends the program again" wait_exit "$APP_PID"
expect "CopyType: the basic setting is written at exit" 1 "$(ini_get "$app/palora.ini" System CopyType)"

finish
