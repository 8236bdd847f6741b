#!/usr/bin/env bash
# End to end, the Wayland harness itself on one real compositor started headless (sway, GNOME
# Shell or KWin): a native Wayland window and an X11 window (through Xwayland) of known pixels
# are found side by side in an independent capture, every pixel as computed; the pointer lands
# exactly on a one-pixel dot of each, as the window itself reports it; clicks and keys arrive;
# and the session stops leaving nothing behind. How long the start and the stop take is printed.
# With two outputs, the X11 window is opened on the second one (by the pointer there, and by the
# place it asks for), and all of it holds there too.
# Skipped (exit 77, and said) only when something the session needs is not installed.
#   harness.sh sway|gnome|kwin TOOLS_DIR XPROBE [OUTPUTS]
set -u
KIND=$1
WL_TOOLS=$(cd "$2" && pwd)
PROBE=$3
WL_OUTPUTS=${4:-1}
PATTERN=$WL_TOOLS/huebird_wlpattern
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/../e2e/lib.sh"
. "$HERE/compositors.sh"
. "$HERE/suite.sh"

WORK=$(mktemp -d /tmp/huebird-harness.XXXXXX)
NATIVE_PID=
X11_PID=
stop_patterns() {
    local pid
    for pid in $NATIVE_PID $X11_PID; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    NATIVE_PID= X11_PID=
}
trap 'stop_patterns; wl_stop; rm -rf "$WORK"' EXIT

wl_session "$KIND"

# The two windows, each with its own seed.
NATIVE_SEED=11
X11_SEED=22
if ! wl_patterns $NATIVE_SEED $X11_SEED; then
    finish
    exit 1
fi
expect "the native window is a Wayland one, one pixel per pixel" "platform=wayland ratio=1" \
    "$(awk '/^ready/ {print $2, $4}' "$WORK/native.out")"
expect "the X11 window is an X11 one, one pixel per pixel" "platform=xcb ratio=1" \
    "$(awk '/^ready/ {print $2, $4}' "$WORK/x11.out")"
WID=$(awk '/^ready/ {sub("window=", "", $3); print $3}' "$WORK/x11.out")
echo "     native at $NATIVE_AT, X11 at $X11_AT"
for w in native x11; do
    if [ $w = native ]; then seed=$NATIVE_SEED at=$NATIVE_AT; else seed=$X11_SEED at=$X11_AT; fi
    # shellcheck disable=SC2086
    out=$("$PATTERN" --compare "$WORK/shot.png" $at --seed $seed)
    check "$w: every pixel of the pattern in the capture is as computed" test $? = 0
    echo "$out" | sed 's/^/     /'
done
read -r XX XY <<<"$X11_AT"
read -r wx wy _ _ < <(window_geometry "$WID")
expect "X11: the X server places the window where the capture shows it" "$XX $XY" "$wx $wy"

read -r _ DOT_X DOT_Y < <("$PATTERN" --layout | grep '^dot')
expect "X11: the window's own pixels read back through X (the dot)" \
    "$("$PATTERN" --expect "$DOT_X" "$DOT_Y" --seed $X11_SEED)" \
    "$("$PROBE" winpixel "$WID" "$DOT_X" "$DOT_Y")"

# The pointer, a click of each button and keys, on each window: what the window reports.
last_pointer() { grep -E '^(enter|move) ' "$1" | tail -1 | cut -d' ' -f2-; }
for w in native x11; do
    out=$WORK/$w.out
    if [ $w = native ]; then at=$NATIVE_AT; else at=$X11_AT; fi
    read -r ox oy <<<"$at"
    px=$((ox + DOT_X)) py=$((oy + DOT_Y))
    wl_pointer_to "$px" "$py"
    check "$w: the pointer is on the dot ($px, $py), exactly" \
        wait_until 5 '[ "$(last_pointer "$out")" = "$DOT_X $DOT_Y" ]' ||
        echo "     last position reported: $(last_pointer "$out")"
    for button in left right; do
        n=$(grep -c "^release " "$out")
        wl_button click $button
        check "$w: a $button click arrives there" \
            wait_until 5 '[ "$(grep -c "^release " "$out")" -gt '"$n"' ]'
        expect "$w: pressed and released on the dot with the $button button" \
            "press $DOT_X $DOT_Y $button|release $DOT_X $DOT_Y $button" \
            "$(grep -E '^(press|release) ' "$out" | tail -2 | paste -sd'|')"
    done
    # The window has the focus since the clicks.
    while read -r key seen; do
        n=$(grep -c "^key " "$out")
        wl_key "$key"
        check "$w: $key arrives" wait_until 5 '[ "$(grep -c "^key " "$out")" -gt '"$n"' ]'
        expect "$w: $key arrives as $seen" "key $seen" "$(grep '^key ' "$out" | tail -1)"
    done <<'EOF'
Escape Esc
shift+Left Shift+Left
ctrl+w Ctrl+W
Down Down
EOF
done

stop_patterns
dir=$WL_DIR
displays=("${WL_XDISPLAYS[@]}")
wl_stop
echo "     the session stopped in $WL_STOP_MS ms"
left=$(grep -lzxF -- "HUEBIRD_WL_SESSION=$dir" /proc/[0-9]*/environ 2>/dev/null)
expect "no process of the session is left" "" "$left"
check "its folder is gone" test ! -e "$dir"
for n in "${displays[@]}"; do
    check "no X lock file of display :$n is left" test ! -e "/tmp/.X$n-lock"
done
finish
