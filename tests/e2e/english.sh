#!/usr/bin/env bash
# End to end in English: the real program started in an English locale shows the English
# translation, seen from outside through a window title; screenshots of the main menu and the
# palette window are left for a person to look at.
#   english.sh APP_DIR XPROBE
set -u
export LANG=C.UTF-8 LC_ALL= LANGUAGE=en_GB
APP=$(cd "$1" && pwd)
PROBE=$2
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"

start_display
trap 'stop_all' EXIT
WORK=$(mktemp -d /tmp/huebird-english.XXXXXX)
"$PROBE" root 000000

app=$(make_app english "[System]
SkinName=default
Left=300
Top=200
AutoFlex=0
PalIndex=0")
start_app "$app"
wid=$(wait_window) || { fail "window appears"; exit 1; }

# The main menu from the menu button, for the screenshot.
xdotool mousemove 309 206 click 1
sleep 0.5
shot english-main-menu.png
xdotool key Escape
sleep 0.2

# The swatch menu's fifth item from the bottom opens a palette window, titled in English.
titled() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
english_palette() { test -n "$(titled '^Palettes ~ Huebird$')"; }
xdotool mousemove 318 238 click 3
sleep 0.5
shot english-swatch-menu.png
xdotool key Up Up Up Up Up Return
check "english: the palette window is titled in English" wait_for 3 english_palette
shot english-palette.png

finish
