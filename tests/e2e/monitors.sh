#!/usr/bin/env bash
# End to end on two monitors side by side: an X server with the dummy video driver, a 2048 x 768
# desktop split into two RandR monitors. The magnifier follows the pointer to its monitor and
# keeps the placement rule there; picks are exact on both monitors and across their edge.
#   monitors.sh APP_DIR XPROBE
set -u
export LANG=C.UTF-8 LC_ALL= LANGUAGE=zh_CN
APP=$(cd "$1" && pwd)
PROBE=$2
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"

if ! command -v Xorg >/dev/null || [ ! -e /usr/lib/xorg/modules/drivers/dummy_drv.so ] ||
    ! command -v xrandr >/dev/null; then
    echo "skipped: needs Xorg with the dummy driver and xrandr"
    exit 0
fi
WORK=$(mktemp -d /tmp/huebird-monitors.XXXXXX)
XORG_PID=
trap 'stop_app; [ -n "$XORG_PID" ] && kill $XORG_PID 2>/dev/null; rm -rf "$WORK"' EXIT
cat >"$WORK/xorg.conf" <<'CONF'
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 65536
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 5.0 - 1000.0
    VertRefresh 5.0 - 200.0
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Virtual 2048 768
    EndSubSection
EndSection
CONF
# The server picks a free display number itself and writes it once it accepts connections.
mkdir -p "$WORK/confdir"
Xorg -displayfd 5 -noreset -nolisten tcp -config "$WORK/xorg.conf" -configdir "$WORK/confdir" \
    -logfile "$WORK/xorg.log" 5>"$WORK/display" >/dev/null 2>&1 &
XORG_PID=$!
n=
for _ in $(seq 1 200); do
    n=$(cat "$WORK/display" 2>/dev/null)
    [ -n "$n" ] && break
    sleep 0.05
done
if [ -z "$n" ]; then
    echo "skipped: the X server with the dummy driver did not start"
    exit 0
fi
export DISPLAY=:$n
output=$(xrandr | awk '/ connected/ {print $1; exit}')
{
xrandr --fb 2048x768 &&
    xrandr --setmonitor LEFT 1024/270x768/200+0+0 "$output" &&
    xrandr --setmonitor RIGHT 1024/270x768/200+1024+0 none &&
    xrandr --output "$output" --mode 1024x768 --pos 0x0 --panning 2048x768 ||
    { fail "two monitors set up"; finish; exit 1; }
} >/dev/null
# (Panning lets the pointer reach the monitor that has no output of its own.)
expect "two monitors" 2 "$(xrandr --listmonitors | awk 'NR == 1 {print $2}')"
"$PROBE" root 203040

app=$(make_app monitors "[System]
Left=300
Top=200
Color1=000000
AutoFlex=0")
skin="$app/skins/DEFAULT/skin.ini"
start_app "$app"
wid=$(wait_window) || { fail "window appears"; finish; exit 1; }
read -r wx wy _ < <(window_geometry "$wid")
sx=$(ini_get "$skin" Color1 Left); sy=$(ini_get "$skin" Color1 Top)
sw=$(ini_get "$skin" Color1 Width); sh=$(ini_get "$skin" Color1 Height)
scx=$((wx + sx + sw / 2)); scy=$((wy + sy + sh / 2))
swatch() { "$PROBE" pixel $scx $scy; }
magnifier() {
    local w
    for w in $(xdotool search --onlyvisible --name '^Huebird$' 2>/dev/null); do
        [ "$w" != "$wid" ] && { window_geometry "$w"; return 0; }
    done
    return 1
}
"$PROBE" dot 1023 500 FF0000
"$PROBE" dot 1024 500 00FF00
"$PROBE" dot 1800 120 0000FF

xdotool windowfocus "$wid"
xdotool mousemove $scx $scy mousedown 1
sleep 0.2
xdotool mousemove 1500 500
sleep 0.4
read -r mx my _ < <(magnifier)
expect "the magnifier goes to the pointer's monitor, at its own place there" "1224 80" "${mx:-} ${my:-}"
xdotool mousemove 1023 500
sleep 0.3
expect "the last pixel of the left monitor" FF0000 "$(swatch)"
xdotool key Right
sleep 0.1
expect "one step right: the first pixel of the right monitor" 00FF00 "$(swatch)"
read -r mx my _ < <(magnifier)
expect "the magnifier follows across the edge" "1224 80" "${mx:-} ${my:-}"
xdotool mousemove 1800 120
sleep 0.3
expect "a pick in the band on the right monitor" 0000FF "$(swatch)"
read -r mx my _ < <(magnifier)
expect "in the band, right of the monitor's middle: 200 from its own left edge" "1224 80" "${mx:-} ${my:-}"
xdotool mousemove 1100 120
sleep 0.3
read -r mx my _ < <(magnifier)
expect "left of its middle: 500 from its own left edge" "1524 80" "${mx:-} ${my:-}"
shot monitors.png
xdotool mousemove 700 600
sleep 0.3
read -r mx my _ < <(magnifier)
expect "back on the left monitor" "200 80" "${mx:-} ${my:-}"
xdotool mouseup 1
sleep 0.2
expect "the magnifier closes at the release" 1 "$(count_windows)"
finish
