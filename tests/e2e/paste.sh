#!/usr/bin/env bash
# End to end: pasting (F5) from other programs that own the clipboard badly. An owner that
# never answers, or offers megabytes at once or in pieces, costs the paste at most about a
# second and little memory, and the window answers the next key at once; an owner that
# answers late but within the bound is pasted, and so is a plain one afterwards.
#   paste.sh APP_DIR XPROBE CLIPOWNER
set -u
export LANG=C.UTF-8 LC_ALL= LANGUAGE=zh_CN
APP=$(cd "$1" && pwd)
PROBE=$2
OWNER=$3
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"

OWNER_PID=
drop_owner() {
    [ -n "$OWNER_PID" ] && { kill "$OWNER_PID" 2>/dev/null; wait "$OWNER_PID" 2>/dev/null; }
    OWNER_PID=
}
start_display
trap 'drop_owner; stop_all' EXIT
WORK=$(mktemp -d /tmp/huebird-paste.XXXXXX)
now_ms() { echo $(($(date +%s%N) / 1000000)); }
peak() { awk '/^VmHWM/ {print $2}' "/proc/$APP_PID/status"; }

app=$(make_app paste "[System]
Left=300
Top=200
Color1=123456
CopyType=0
CopyAdd#=1
AutoFlex=0")
start_app "$app"
wid=$(wait_window) || { fail "window appears"; exit 1; }
skin="$app/skins/DEFAULT/skin.ini"
read -r wx wy _ < <(window_geometry "$wid")
sx=$(ini_get "$skin" Color1 Left); sy=$(ini_get "$skin" Color1 Top)
sw=$(ini_get "$skin" Color1 Width); sh=$(ini_get "$skin" Color1 Height)
swatch() { "$PROBE" pixel $((wx + sx + sw / 2)) $((wy + sy + sh / 2)); }

# own COMMAND...: the command takes the clipboard (it prints "owned" once it has).
own() {
    drop_owner
    "$@" >"$WORK/owner.out" 2>&1 &
    OWNER_PID=$!
    wait_for 5 grep -qx owned "$WORK/owner.out" || fail "$*: takes the clipboard"
}
# What the program copies with F4, once it has got to that key.
copied() { [ "$(timeout 0.5 xclip -selection clipboard -o 2>/dev/null)" = "#123456" ]; }

# refused NAME: F5 then F4. The paste gives up within the bound, so the copy that follows is
# served soon; the colour stays, and the program's peak memory grows by little.
refused() {
    local before t0 ms grew
    before=$(peak)
    t0=$(now_ms)
    xdotool windowfocus "$wid" key F5
    xdotool key F4
    wait_for 15 copied
    ms=$(($(now_ms) - t0))
    check "$1: the paste gives up and the next key is done within 2.5 s (${ms} ms)" test $ms -lt 2500
    expect "$1: the colour stays" 123456 "$(swatch)"
    grew=$(($(peak) - before))
    check "$1: the peak memory grows by under 16 MiB (${grew} kB)" test $grew -lt 16384
    drop_owner
}

own "$OWNER" silent
refused "an owner that never answers"
own "$OWNER" flood 8000000
refused "an owner that offers 8 MB at once"
# xclip serves large texts in pieces (INCR); -quiet keeps it in the foreground.
head -c 64000000 /dev/zero | tr '\0' A >"$WORK/huge.txt"
# Owned once it lists what it offers (the clipboard has no owner before).
own bash -c "xclip -quiet -selection clipboard -i '$WORK/huge.txt' & pid=\$!
    trap 'kill \$pid' TERM
    for _ in \$(seq 1 100); do
        timeout 0.5 xclip -selection clipboard -o -t TARGETS >/dev/null 2>&1 && break
        sleep 0.1
    done
    echo owned; wait \$pid"
refused "an owner that offers 64 MB in pieces"

own "$OWNER" late 300 '#ABCDEF'
xdotool windowfocus "$wid" key F5
check "an owner that answers after 0.3 s: pasted" wait_for 3 bash -c "[ \"\$('$PROBE' pixel $((wx + sx + sw / 2)) $((wy + sy + sh / 2)))\" = ABCDEF ]"
own "$OWNER" pieces '#FEDCBA'
xdotool windowfocus "$wid" key F5
check "an owner that answers in pieces: pasted" wait_for 3 bash -c "[ \"\$('$PROBE' pixel $((wx + sx + sw / 2)) $((wy + sy + sh / 2)))\" = FEDCBA ]"
drop_owner
printf '#12AB9f' | xclip -loops 1 -selection clipboard -i
xdotool windowfocus "$wid" key F5
check "then a plain owner: pasted" wait_for 3 bash -c "[ \"\$('$PROBE' pixel $((wx + sx + sw / 2)) $((wy + sy + sh / 2)))\" = 12AB9F ]"
stop_app

finish
