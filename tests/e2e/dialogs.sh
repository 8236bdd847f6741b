#!/usr/bin/env bash
# End to end under a window manager (openbox), which frames the dialogs: each dialog is placed
# by its outer rectangle, frame included. A dialog placed left of the main window ends 20 pixels
# before it; a centred one has its frame centred; Enter presses OK.
#   dialogs.sh APP_DIR XPROBE
set -u
export LANG=C.UTF-8 LC_ALL= LANGUAGE=zh_CN
APP=$(cd "$1" && pwd)
PROBE=$2
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"

if ! command -v openbox >/dev/null; then
    echo "--- openbox is not installed: nothing to check"
    exit 0
fi
start_display
trap 'stop_all' EXIT
WORK=$(mktemp -d /tmp/huebird-dialogs.XXXXXX)
"$PROBE" root 000000
wm_start || { fail "openbox starts"; finish; exit 1; }

# The main window near the right edge, so the hot-key dialog has no room on its right.
app=$(make_app dialogs "[System]
SkinName=default
Left=700
Top=200
AutoFlex=0")
start_app "$app"
main_window() { xdotool search --onlyvisible --name '^Huebird$' 2>/dev/null | head -1; }
has_main() { test -n "$(main_window)"; }
wait_for 5 has_main || { fail "window appears"; finish; exit 1; }
wid=$(main_window)
read -r mx my mw mh < <(window_geometry "$wid")

# outer_of WID: the window's outer rectangle, from its place and the frame the window manager
# says it gave it.
outer_of() {
    local x y w h left top right bottom
    read -r x y w h < <(window_geometry "$1")
    read -r left right top bottom < <(xprop -id "$1" _NET_FRAME_EXTENTS |
        sed -n 's/.*= *\([0-9]*\), *\([0-9]*\), *\([0-9]*\), *\([0-9]*\).*/\1 \2 \3 \4/p')
    echo $((x - left)) $((y - top)) $((w + left + right)) $((h + top + bottom))
}
main_menu() {
    xdotool mousemove $((mx + 9)) $((my + 6)) click 1
    sleep 0.4
    local k
    for k in "$@"; do
        xdotool key "$k"
        sleep 0.15
    done
}
# framed WID: the window manager has framed the window and says how.
framed() { xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | grep -q =; }
# settled_outer WID EXPECTED: waits until the dialog's frame is where it is expected.
settled_outer() { [ "$(outer_of "$1")" = "$2" ]; }

# --- the hot-key dialog: no room on the right, so its frame ends 20 pixels left of the main window
main_menu Down Down Right Down Down Down Return  # 设置 > 系统热键
d=$(wait_other_window "$wid") || fail "hot-key: the dialog opens"
wait_for 3 framed "$d"
read -r _ _ ow oh < <(outer_of "$d")
check "hot-key: its frame's right edge is 20 pixels left of the main window, at its top" \
    wait_for 3 settled_outer "$d" "$((mx - 20 - ow)) $my $ow $oh"
echo "     main $mx $my, dialog frame $(outer_of "$d")"
shot dialogs-hotkey-left.png
xdotool key Return
one_window() { test "$(count_windows)" = 1; }
check "hot-key: Return accepts it" wait_for 3 one_window

# --- the contrast dialog: its frame centred on the desktop ------------------------------------
sw=1024  # the display lib.sh starts
sh=768
xdotool mousemove $((mx + 18)) $((my + 38)) click 3  # the first swatch's menu
sleep 0.4
xdotool key Up Up Up Return  # " 对比色"
d=$(wait_other_window "$wid") || fail "contrast: the dialog opens"
wait_for 3 framed "$d"
read -r _ _ ow oh < <(outer_of "$d")
check "contrast: its frame is centred on the desktop" \
    wait_for 3 settled_outer "$d" "$(((sw - ow) / 2)) $(((sh - oh) / 2)) $ow $oh"
echo "     dialog frame $(outer_of "$d")"
shot dialogs-contrast-centred.png
xdotool key Escape
wait_for 3 one_window

# --- the about box: its frame centred over the main window; Return is OK ----------------------
main_menu Up Return  # 关于
d=$(wait_other_window "$wid") || fail "about: the dialog opens"
wait_for 3 framed "$d"
read -r _ _ ow oh < <(outer_of "$d")
check "about: its frame is centred over the main window" \
    wait_for 3 settled_outer "$d" "$((mx + (mw - ow) / 2)) $((my + (mh - oh) / 2)) $ow $oh"
echo "     dialog frame $(outer_of "$d")"
xdotool key Return
check "about: Return accepts it" wait_for 3 one_window

finish
