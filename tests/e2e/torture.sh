#!/usr/bin/env bash
# Crash and fault tests on the real program on a virtual X display: kill -9 during the close
# save, a read-only settings file and a full disk, many simultaneous starts, hostile skins.
#   torture.sh APP_DIR XPROBE [KILLS]
# KILLS (default 30, or HUEBIRD_TORTURE_KILLS) is how many times the close save is killed;
# HOSTILE_ONLY=REGEX runs only the hostile skins whose names match.
set -u
APP=$(cd "$1" && pwd)
PROBE=$2
KILLS=${3:-${HUEBIRD_TORTURE_KILLS:-30}}
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"

MOUNTS=()
IMMUTABLE=()
cleanup() {
    local f m
    for f in "${IMMUTABLE[@]}"; do chattr -i "$f" 2>/dev/null; done
    stop_app
    for m in "${MOUNTS[@]}"; do umount "$m" 2>/dev/null; done
    stop_all
}
start_display
trap cleanup EXIT
WORK=$(mktemp -d /tmp/huebird-torture.XXXXXX)
"$PROBE" root 102030
ROOT=0
[ "$(id -u)" -eq 0 ] && ROOT=1
skin="$APP/skins/DEFAULT/skin.ini"
CLOSE_X=$(($(ini_get "$skin" Close Left) + 3)); CLOSE_Y=$(($(ini_get "$skin" Close Top) + 3))
MENU_X=$(($(ini_get "$skin" Menu Left) + 3)); MENU_Y=$(($(ini_get "$skin" Menu Top) + 3))
now_ms() { echo $(($(date +%s%N) / 1000000)); }
temporaries() { find "$1" -maxdepth 1 -name '.palora.ini.tmp-*' | wc -l; }

# click_close WID: the close button of the window.
click_close() {
    local wx wy
    read -r wx wy _ < <(window_geometry "$1")
    xdotool mousemove $((wx + CLOSE_X)) $((wy + CLOSE_Y)) click 1
}
# answer_box WID: the program's other window (a message box) is answered with Return; true
# when there was one.
answer_box() {
    local box
    box=$(wait_other_window "$1") || return 1
    for _ in 1 2 3 4 5; do
        xdotool windowfocus "$box" key Return 2>/dev/null
        wait_for 1 bash -c "! xwininfo -id $box 2>/dev/null | grep -q IsViewable" && return 0
    done
    return 1
}

# --- kill -9 during the close save: the file is the old one or the new one, whole ---------------
# Over half a million favourites make the file nearly as large as the program accepts
# (14 MB), so writing it takes a measurable moment.
app=$(make_app kill "[System]
SkinName=default
Left=300
Top=200
Color1=ff0000
Color2=00ff00
AutoFlex=0")
awk 'BEGIN { print "[BookMarks]"
    for (i = 1; i <= 600000; i++) printf "Favourite%06d=%06X\n", i, (i * 523) % 16777216
    print "[BookMarks1]"; print "[BookMarks2]" }' >>"$app/palora.ini"
cp "$app/palora.ini" "$WORK/old.ini"
start_app "$app"
wid=$(wait_window) || { fail "kill: window appears"; exit 1; }
click_close "$wid"
t0=$(now_ms)
wait_exit "$APP_PID"
save_ms=$(($(now_ms) - t0))
cp "$app/palora.ini" "$WORK/new.ini"
check "kill: a whole close writes a new file (it ends ${save_ms} ms after the click)" \
    bash -c "! cmp -s '$WORK/old.ini' '$WORK/new.ini'"
old=0 new=0 torn=0 left=0 stale=0
for i in $(seq 1 "$KILLS"); do
    cp "$WORK/old.ini" "$app/palora.ini"
    start_app "$app"
    wid=$(wait_window) || { torn=$((torn + 1)); continue; }
    delay=$((RANDOM % (save_ms + 10)))  # from the click until just after a whole close ends
    click_close "$wid"
    sleep "$(printf '0.%03d' "$delay")"
    kill -9 "$APP_PID" 2>/dev/null
    wait "$APP_PID" 2>/dev/null
    APP_PID=
    if cmp -s "$app/palora.ini" "$WORK/old.ini"; then old=$((old + 1))
    elif cmp -s "$app/palora.ini" "$WORK/new.ini"; then new=$((new + 1))
    else torn=$((torn + 1)); cp "$app/palora.ini" "$WORK/torn-$i.ini"; fi
    if [ "$(temporaries "$app")" -ne 0 ]; then
        # Named just before its rename when the kill came: the next save must clear it.
        left=$((left + 1))
        start_app "$app"
        w=$(wait_window) && click_close "$w" && wait_exit "$APP_PID"
        [ "$(temporaries "$app")" -eq 0 ] || stale=$((stale + 1))
    fi
done
echo "     $KILLS kills: $old left the old file, $new the new one, $torn neither; $left left a temporary file"
expect "kill: every kill leaves exactly the old or the new file" 0 "$torn"
expect "kill: a temporary file left by a kill is gone after the next save" 0 "$stale"
# A temporary file of a writer that died, named as the program names its own, is cleared by
# the next save; a file that only looks similar is kept.
cp "$WORK/old.ini" "$app/palora.ini"
printf 'half' >"$app/.palora.ini.tmp-99999-0-abc"
printf 'mine' >"$app/.palora.ini.tmp-notours"
start_app "$app"
wid=$(wait_window) && click_close "$wid" && wait_exit "$APP_PID"
check "kill: the next save clears a dead writer's temporary file" test ! -e "$app/.palora.ini.tmp-99999-0-abc"
check "kill: and keeps a file that is not one" test -e "$app/.palora.ini.tmp-notours"
check "kill: and writes the new file" cmp -s "$app/palora.ini" "$WORK/new.ini"

# --- the settings cannot be written: the error box at close, the file unchanged ------------------
# (A read-only folder is run.sh's case; here the file itself is immutable, and the disk is full.)
# close_refused NAME DIR: the close shows the error box, the program ends once it is answered,
# and the file is byte for byte what it was.
close_refused() {
    cp "$1/palora.ini" "$WORK/before.ini"
    start_app "$1"
    local w
    w=$(wait_window) || { fail "$2: window appears"; return; }
    click_close "$w"
    check "$2: the close shows the error box" answer_box "$w"
    check "$2: the program ends once it is answered" wait_exit "$APP_PID"
    check "$2: the file is unchanged" cmp -s "$1/palora.ini" "$WORK/before.ini"
}
SETTINGS="[System]
Left=300
Top=200
Color1=ff0000
AutoFlex=0"
if [ $ROOT -eq 1 ]; then
    app=$(make_app immutable "$SETTINGS")
    if chattr +i "$app/palora.ini" 2>/dev/null; then
        IMMUTABLE+=("$app/palora.ini")
        close_refused "$app" "immutable file"
        chattr -i "$app/palora.ini"
        check "immutable file: no temporary file is left" test "$(temporaries "$app")" -eq 0
    else
        echo "skipped: immutable file (this file system has no immutable flag)"
    fi
    mkdir -p "$WORK/full"
    if mount -t tmpfs -o size=3m,mode=755 tmpfs "$WORK/full"; then
        MOUNTS+=("$WORK/full")
        app=$(make_app full/app "$SETTINGS")
        dd if=/dev/zero of="$WORK/full/filler" bs=4k status=none 2>/dev/null
        close_refused "$app" "full disk"
        check "full disk: no temporary file is left" test "$(temporaries "$app")" -eq 0
        rm -f "$WORK/full/filler"
        start_app "$app"
        wid=$(wait_window) && click_close "$wid" && wait_exit "$APP_PID"
        check "full disk: with room again the close writes" grep -q '^Color1=FF0000' "$app/palora.ini"
        umount "$WORK/full" && MOUNTS=()
    else
        echo "skipped: full disk (cannot mount a tmpfs)"
    fi
else
    echo "skipped: immutable file and full disk: needs root"
fi

# --- 20 simultaneous starts: one window; the other 19 leave at once with 0 ----------------------
app=$(make_app many "$SETTINGS")
pids=()
t0=$(now_ms)
for i in $(seq 1 20); do
    "$app/huebird" >"$WORK/many-$i.out" 2>&1 &
    pids+=($!)
done
# Within 5 s every start but one has ended.
running=("${pids[@]}")
until [ ${#running[@]} -le 1 ] || [ $(($(now_ms) - t0)) -ge 5000 ]; do
    sleep 0.05
    alive=()
    for pid in "${running[@]}"; do kill -0 "$pid" 2>/dev/null && alive+=("$pid"); done
    running=("${alive[@]}")
done
ms=$(($(now_ms) - t0))
zero=0
for pid in "${pids[@]}"; do
    [ "${running[0]:-}" = "$pid" ] && continue
    wait "$pid" 2>/dev/null && zero=$((zero + 1))
done
expect "many starts: one keeps running" 1 "${#running[@]}"
expect "many starts: the other 19 leave with exit code 0" 19 "$zero"
check "many starts: all 19 have left within 2 s (${ms} ms)" test $ms -lt 2000
sleep 0.5
expect "many starts: exactly one window" 1 "$(count_windows)"
for pid in "${running[@]}"; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; done

# --- names and permissions legal on disk -----------------------------------------------------------
# step_red WID: the red plus button steps the first swatch from 000000 to 050000 (seen on screen).
step_red() {
    local wx wy sx sy
    read -r wx wy _ < <(window_geometry "$1")
    xdotool mousemove $((wx + $(ini_get "$skin" AddRed Left) + 4)) \
        $((wy + $(ini_get "$skin" AddRed Top) + 4)) click 1
    sx=$((wx + $(ini_get "$skin" Color1 Left) + 3)); sy=$((wy + $(ini_get "$skin" Color1 Top) + 3))
    wait_for 3 bash -c "[ \"\$('$PROBE' pixel $sx $sy)\" = 050000 ]"
}
# A skin folder named with a line break beside the stock skin: the settings menu offers only
# the stock one, the last skin item wears it, and the close saves the session.
app=$(make_app linebreak "[System]
Left=300
Top=200
Color1=000000
AutoFlex=0")
rm -rf "$app/skins/PEBBLE"
cp -a "$app/skins/DEFAULT" "$app/skins/line
break"
start_app "$app"
wid=$(wait_window) || fail "line-break skin: the window appears"
if [ -n "$wid" ]; then
    read -r wx wy _ < <(window_geometry "$wid")
    xdotool mousemove $((wx + MENU_X)) $((wy + MENU_Y)) click 1
    sleep 0.4
    xdotool key Down Down Right
    sleep 0.2
    xdotool key Up Return    # the last item of the settings menu: a skin
    check "line-break skin: the session changes" step_red "$wid"
    click_close "$wid"
    check "line-break skin: the program ends after the close" wait_exit "$APP_PID"
    expect "line-break skin: the close saved the session" 050000 "$(ini_get "$app/palora.ini" System Color1)"
    expect "line-break skin: the skin worn is the stock one" DEFAULT \
        "$(ini_get "$app/palora.ini" System SkinName)"
fi
APP_PID=

# An access control list on palora.ini: the close save keeps it and the file's mode.
if command -v setfacl >/dev/null && app=$(make_app acl "[System]
Left=300
Top=200
Color1=000000
AutoFlex=0") && setfacl -m u:nobody:rw "$app/palora.ini" 2>/dev/null; then
    acl_before=$(getfacl -cp "$app/palora.ini" 2>/dev/null)
    mode_before=$(stat -c %a "$app/palora.ini")
    start_app "$app"
    wid=$(wait_window) || fail "ACL: the window appears"
    if [ -n "$wid" ]; then
        check "ACL: the session changes" step_red "$wid"
        click_close "$wid"
        check "ACL: the program ends after the close" wait_exit "$APP_PID"
        expect "ACL: the close saved the session" 050000 "$(ini_get "$app/palora.ini" System Color1)"
        expect "ACL: the file keeps its access control list" "$acl_before" \
            "$(getfacl -cp "$app/palora.ini" 2>/dev/null)"
        expect "ACL: and its mode" "$mode_before" "$(stat -c %a "$app/palora.ini")"
    fi
    APP_PID=
else
    echo "skip ACL: setfacl is missing or this file system keeps no access control lists"
fi

# --- hostile skins --------------------------------------------------------------------------------
LIMIT_KB=$((100 * 1024))
HOSTILE="$WORK/hostile"
bash "$HERE/../data/hostile-skins/make.sh" "$APP/skins/DEFAULT" "$HOSTILE" >"$WORK/hostile.txt" ||
    fail "hostile skins: the set is made"
# watch PID: follows the process until a window of the program is mapped or it ends (at most
# 5 s); sets SEEN (window, exit or nothing), MS (how long) and HWM (the peak memory seen, kB).
watch() {
    local t0 h
    t0=$(now_ms)
    SEEN=nothing HWM=0
    while [ $(($(now_ms) - t0)) -lt 5000 ]; do
        h=$(awk '/^VmHWM/ {print $2}' "/proc/$1/status" 2>/dev/null)
        [ -n "$h" ] && HWM=$h
        kill -0 "$1" 2>/dev/null || { SEEN=exit; break; }
        [ "$(count_windows)" -gt 0 ] && { SEEN=window; break; }
        sleep 0.02
    done
    MS=$(($(now_ms) - t0))
}
peak() { awk '/^VmHWM/ {print $2}' "/proc/$1/status" 2>/dev/null || echo 0; }

grep -E "${HOSTILE_ONLY:-.}" "$WORK/hostile.txt" >"$WORK/hostile-run.txt"
while read -r name outcome; do
    # At start: the window appears with the skin on, or the program says why and ends.
    app=$(make_app "start-$name" "[System]
SkinName=$name
Left=300
Top=200
AutoFlex=0")
    cp -a "$HOSTILE/$name" "$app/skins/"
    cp "$app/palora.ini" "$WORK/before.ini"
    "$app/huebird" >"$WORK/$name.out" 2>"$WORK/$name.err" &
    APP_PID=$!
    watch "$APP_PID"
    check "$name at start: answers within 2 s (${MS} ms, $SEEN)" test "$SEEN" != nothing -a "$MS" -lt 2000
    if [ "$outcome" = wear ]; then
        sleep 0.3
        h=$(peak "$APP_PID"); [ "${h:-0}" -gt "$HWM" ] && HWM=$h
        check "$name at start: worn, the program runs" kill -0 "$APP_PID"
        stop_app
    else
        if [ "$SEEN" = window ]; then
            wid=$(xdotool search --onlyvisible --name '^Huebird$' | head -n 1)
            h=$(peak "$APP_PID"); [ "${h:-0}" -gt "$HWM" ] && HWM=$h
            xdotool windowfocus "$wid" key Return 2>/dev/null
        fi
        wait_for 3 bash -c "! kill -0 $APP_PID 2>/dev/null"
        wait "$APP_PID" 2>/dev/null
        expect "$name at start: refused, the program ends with 1" 1 $?
        APP_PID=
        expect_contains "$name at start: the message names the skin" "skins/$name/" "$(cat "$WORK/$name.err")"
        check "$name at start: settings untouched" cmp -s "$app/palora.ini" "$WORK/before.ini"
    fi
    check "$name at start: under 100 MiB (${HWM} kB)" test "$HWM" -lt $LIMIT_KB

    # From the skin menu: the only skin listed is the one worn; once the program runs, its folder
    # is swapped for the hostile one and chosen again.
    app=$(make_app "switch-$name" "$SETTINGS")
    rm -rf "$app/skins/PEBBLE"
    start_app "$app"
    wid=$(wait_window) || { fail "$name from the menu: window appears"; continue; }
    before=$(window_geometry "$wid")
    rm -rf "$app/skins/DEFAULT"
    cp -a "$HOSTILE/$name" "$app/skins/DEFAULT"
    if [ -L "$app/skins/DEFAULT" ]; then ln -sfn DEFAULT "$app/skins/x" && rm -f "$app/skins/DEFAULT" &&
        mv "$app/skins/x" "$app/skins/DEFAULT"; fi
    read -r wx wy _ < <(window_geometry "$wid")
    xdotool mousemove $((wx + MENU_X)) $((wy + MENU_Y)) click 1
    sleep 0.4
    xdotool key Down Down Right
    sleep 0.2
    t0=$(now_ms)
    xdotool key Up Return    # the last item of the settings menu: the skin
    if [ "$outcome" = wear ]; then
        read -r bw bh < <(bmp_size "$app/skins/DEFAULT/backgrd.bmp")
        wait_for 2 bash -c "xwininfo -id $wid | grep -q 'Width: $bw\$'"
        MS=$(($(now_ms) - t0))
        read -r _ _ ww wh < <(window_geometry "$wid")
        expect "$name from the menu: worn within 2 s (${MS} ms)" "$bw $bh" "$ww $wh"
        check "$name from the menu: no message" test "$(count_windows)" -eq 1
    else
        box=$(wait_other_window "$wid")
        MS=$(($(now_ms) - t0))
        check "$name from the menu: a notice within 2 s (${MS} ms)" test -n "$box" -a "$MS" -lt 2000
        [ -n "$box" ] && xdotool windowfocus "$box" key Return 2>/dev/null
        sleep 0.3
        check "$name from the menu: the program runs on" kill -0 "$APP_PID"
        expect "$name from the menu: the window is as it was" "$before" "$(window_geometry "$wid")"
    fi
    HWM=$(peak "$APP_PID")
    check "$name from the menu: under 100 MiB (${HWM:-?} kB)" test "${HWM:-999999}" -lt $LIMIT_KB
    stop_app
done <"$WORK/hostile-run.txt"

finish
