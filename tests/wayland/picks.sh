#!/usr/bin/env bash
# End to end on a real Wayland compositor started headless (sway, GNOME Shell or KWin): the
# program's window shows at its place (floated by the documented rule on sway) and its command
# hides and shows it; picks, driven by the compositor's own input means, read the exact colour
# of a one-pixel dot and of random pixels over a native Wayland window and over an X11 one, the
# arrow key steps onto a one-pixel line, Escape cancels, `huebird --pick` takes a click; the
# background drags it; the tray icon registers with the desktop's real StatusNotifier watcher
# (KWin's own, GNOME's AppIndicator extension, waybar's on sway) and its activation hides and
# shows the window; on KWin the hot-key works through KDE's shortcut service; on GNOME a
# refused screenshot permission gives a notice and changes no colour. After a start with a pick
# area of 3 x 3, a pick in the random block takes the mean of the nine pixels round the pointer.
# Skipped (exit 77, and said) only when something the session needs is not installed.
# With OUTPUTS (2 to 4) the desktop has that many outputs side by side, and the X11 window of
# known colours lies on the last one.
#   picks.sh sway|gnome|kwin APP_DIR XPROBE TOOLS_DIR [OUTPUTS]
set -u
export LANG=C.UTF-8 LC_ALL= LANGUAGE=zh_CN
KIND=$1
APP=$(cd "$2" && pwd)
PROBE=$3
WL_TOOLS=$(cd "$4" && pwd)
PATTERN=$WL_TOOLS/huebird_wlpattern
WL_OUTPUTS=${5:-1}
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/../e2e/lib.sh"
. "$HERE/compositors.sh"
. "$HERE/suite.sh"

WORK=$(mktemp -d /tmp/huebird-picks.XXXXXX)
PIDS=()
stop_others() {
    local pid
    for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; done
    PIDS=()
}
trap 'stop_app; stop_others; wl_stop; rm -rf "$WORK"' EXIT
# verify NAME CONDITION SAY: passes when the condition holds within ten seconds; otherwise SAY
# tells what there is instead.
verify() {
    if wait_until 10 "$2"; then
        pass "$1"
    else
        fail "$1"
        eval "$3" | sed 's/^/     /'
    fi
}

wl_session "$KIND"
watcher_runs() {
    gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
        --method org.freedesktop.DBus.NameHasOwner org.kde.StatusNotifierWatcher 2>/dev/null |
        grep -q true
}
if [ "$KIND" = gnome ]; then
    # GNOME's tray: the AppIndicator extension, as a user turns it on.
    gsettings set org.gnome.shell disable-user-extensions false
    gsettings set org.gnome.shell enabled-extensions "['ubuntu-appindicators@ubuntu.com']"
    check "GNOME's AppIndicator extension runs a StatusNotifier watcher" wait_for 20 watcher_runs
elif [ "$KIND" = sway ]; then
    # sway's tray: a bar that hosts StatusNotifier icons (waybar, with only its tray).
    printf '{"layer": "top", "position": "top", "height": 24, "modules-right": ["tray"]}\n' \
        >"$WORK/bar.json"
    printf '* { font-size: 12px; }\n' >"$WORK/bar.css"
    waybar -c "$WORK/bar.json" -s "$WORK/bar.css" >"$WORK/bar.log" 2>&1 &
    PIDS+=($!)
    check "waybar's tray runs a StatusNotifier watcher" wait_for 20 watcher_runs
fi

# A native Wayland window and an X11 one, each of its own seed, found in an independent capture.
if ! wl_patterns 31 47; then
    finish
    exit 1
fi
PIDS+=("$NATIVE_PID" "$X11_PID")
NATIVE_SEED=31
X11_SEED=47
read -r _ DOT_X DOT_Y < <("$PATTERN" --layout | grep '^dot')
read -r _ LINE_X0 LINE_X1 LINE_Y < <("$PATTERN" --layout | grep '^line')
read -r _ BLOCK_X BLOCK_Y BLOCK_W BLOCK_H < <("$PATTERN" --layout | grep '^block')

# The program, at a place clear of both patterns.
LEFT=40 TOP=$((WL_HEIGHT - 160))
app=$(make_app app "[System]
SkinName=default
Left=$LEFT
Top=$TOP
Color1=102030
AutoFlex=0
AlwaysTop=1")
"$app/huebird" >"$WORK/app.out" 2>&1 &
APP_PID=$!
if ! wid=$(wait_window); then
    fail "the window shows"
    sed 's/^/     /' "$WORK/app.out"
    finish
    exit 1
fi
pass "the window shows, through Xwayland"
if [ "$KIND" = sway ]; then
    # sway places it itself; the rule in its configuration (the one README.md gives) floats it,
    # and a move by sway's own command puts it out of the patterns' way.
    tree=$(swaymsg -t get_tree)
    expect_contains "sway floats it by the rule" '"type": "floating_con"' \
        "$(echo "$tree" | python3 -c '
import json, sys
def walk(n):
    if (n.get("window_properties") or {}).get("class") == "Huebird":
        print("\"type\": \"%s\"" % n["type"])
    for c in n.get("nodes", []) + n.get("floating_nodes", []): walk(c)
walk(json.load(sys.stdin))')"
    swaymsg "[class=\"Huebird\"] move absolute position $LEFT $TOP" >/dev/null
fi
at_place() { [ "$(window_geometry "$wid" | cut -d' ' -f1-2)" = "$LEFT $TOP" ]; }
verify "the window is at its place ($LEFT, $TOP)" at_place 'echo "it is at $(window_geometry "$wid")"'
read -r wx wy _ _ < <(window_geometry "$wid")
skin="$APP/skins/DEFAULT/skin.ini"
SW_X=$(($(ini_get "$skin" Color1 Left) + 3))
SW_Y=$(($(ini_get "$skin" Color1 Top) + 3))
swatch() { "$PROBE" winpixel "$wid" "$SW_X" "$SW_Y"; }
check "the first swatch shows its stored colour" wait_until 10 '[ "$(swatch)" = 102030 ]'

# A pick: a press on the first swatch, the pointer to (X, Y) on the desktop, then the keys
# given, and the release there.
frozen_shown() { [ "$(count_windows)" -ge 2 ]; }
# The pointer to (X, Y) and, since every place this test presses is over a window of ours (the
# swatch, or the picture the pick shows), known there to the X server as well: a press or a
# release sent before the compositor has moved the pointer would land elsewhere.
# A window of ours that the compositor maps only after the motion (a busy machine) learns of
# the pointer at the next one: the move is made again until the X server has it.
pointer_to() {
    local try
    for try in 1 2 3 4 5; do
        wl_pointer_to "$1" "$2"
        wait_until 2 '[ "$(xdotool getmouselocation 2>/dev/null | cut -d" " -f1-2)" = "x:'"$1"' y:'"$2"'" ]' &&
            return 0
    done
    echo "     the X server has the pointer at $(xdotool getmouselocation), not at $1 $2"
}
pick_at() {
    local x=$1 y=$2 key
    shift 2
    pointer_to $((wx + SW_X)) $((wy + SW_Y))
    wl_button press
    if ! wait_for 10 frozen_shown; then
        echo "     no picture came up over the desktop; the program said:"
        sed 's/^/       /' "$WORK/app.out"
    fi
    pointer_to "$x" "$y"
    for key in "$@"; do wl_key "$key"; done
    wl_button release
    wait_until 10 '[ "$(count_windows)" = 1 ]'
}

n=0
for w in native x11; do
    if [ $w = native ]; then at=$NATIVE_AT seed=$NATIVE_SEED; else at=$X11_AT seed=$X11_SEED; fi
    read -r ox oy <<<"$at"
    want=$("$PATTERN" --expect "$DOT_X" "$DOT_Y" --seed $seed)
    pick_at $((ox + DOT_X)) $((oy + DOT_Y))
    verify "$w: a pick over the one-pixel dot reads it ($want)" '[ "$(swatch)" = '"$want"' ]' \
        'echo "the swatch shows $(swatch)"'
    # Random pixels of the random block.
    for i in 1 2 3; do
        dx=$((BLOCK_X + (RANDOM % BLOCK_W))) dy=$((BLOCK_Y + (RANDOM % BLOCK_H)))
        want=$("$PATTERN" --expect "$dx" "$dy" --seed $seed)
        pick_at $((ox + dx)) $((oy + dy))
        verify "$w: a pick at random block pixel ($dx, $dy) reads $want" \
            '[ "$(swatch)" = '"$want"' ]' 'echo "the swatch shows $(swatch)"'
    done
    # One pixel above the line, then Down: the aim steps onto the line.
    want=$("$PATTERN" --expect $(((LINE_X0 + LINE_X1) / 2)) "$LINE_Y" --seed $seed)
    pick_at $((ox + (LINE_X0 + LINE_X1) / 2)) $((oy + LINE_Y - 1)) Down
    verify "$w: Down steps the pick onto the one-pixel line ($want)" \
        '[ "$(swatch)" = '"$want"' ]' 'echo "the swatch shows $(swatch)"'
    n=$((n + 1))
done

# Escape: the pick ends and the swatch keeps its colour.
before=$(swatch)
read -r ox oy <<<"$NATIVE_AT"
pick_at $((ox + DOT_X)) $((oy + DOT_Y)) Escape
check "Escape cancels: the swatch shows $before again" wait_until 5 '[ "$(swatch)" = '"$before"' ]'


# `huebird --pick`: the pick starts under the pointer and a click takes the colour.
read -r ox oy <<<"$X11_AT"
want=$("$PATTERN" --expect "$DOT_X" "$DOT_Y" --seed $X11_SEED)
wl_pointer_to $((ox + DOT_X + 30)) $((oy + DOT_Y))
"$app/huebird" --pick >"$WORK/pick.out" 2>&1
expect "--pick ends with 0" 0 "$?"
check "--pick: the picture comes up" wait_for 10 frozen_shown
pointer_to $((ox + DOT_X)) $((oy + DOT_Y))
wl_button click
verify "--pick: a click takes the dot's colour ($want)" '[ "$(swatch)" = '"$want"' ]' \
    'echo "the swatch shows $(swatch)"'
check "--pick: the picture is gone" wait_until 5 '[ "$(count_windows)" = 1 ]'

# `huebird --pick --print`: a pick of its own process over its own picture, the colour printed;
# the running one keeps its colour.
read -r ox oy <<<"$NATIVE_AT"
want=$("$PATTERN" --expect "$DOT_X" "$DOT_Y" --seed $NATIVE_SEED)
kept=$(swatch)
wl_pointer_to $((ox + DOT_X + 30)) $((oy + DOT_Y))
"$app/huebird" --pick --print --format web >"$WORK/print.out" 2>"$WORK/print.err" &
printer=$!
PIDS+=("$printer")
check "--pick --print: the picture comes up" wait_for 10 frozen_shown
pointer_to $((ox + DOT_X)) $((oy + DOT_Y))
wl_button click
printed() { ! kill -0 "$printer" 2>/dev/null; }
if wait_until 10 printed; then
    wait "$printer" 2>/dev/null
    rc=$?
    expect "--pick --print: prints the dot's colour and ends with 0" "#$want 0"         "$(cat "$WORK/print.out") $rc"
else
    fail "--pick --print: the click ends it"
    sed 's/^/     /' "$WORK/print.err"
    kill "$printer" 2>/dev/null  # its pick holds the pointer the checks below need
fi
expect "--pick --print: the running one keeps its colour" "$kept" "$(swatch)"

# Dragged by its background: on a Wayland session the compositor moves it, asked at the press,
# from where the pointer is when it takes the drag over (the first step may go before that);
# from then on each step must move it exactly as far.
gx=$((wx + $(ini_get "$skin" Menu Left) + 40)) gy=$((wy + $(ini_get "$skin" Menu Top) + 4))
pointer_to "$gx" "$gy"
wl_button press
# Steps until the compositor has taken the drag over (on a busy machine that may be after a few):
# the window goes with the pointer.
moved_at_all() { read -r mx my _ < <(window_geometry "$wid"); [ "$mx" -gt "$wx" ] && [ "$my" -lt "$wy" ]; }
step=0
until [ $step = 8 ] || { [ $step -gt 0 ] && wait_for 1 moved_at_all; }; do
    step=$((step + 1))
    wl_pointer_to $((gx + 15 * step)) $((gy - 5 * step))
done
verify "dragged by its background, it goes with the pointer" moved_at_all \
    'echo "it is at $(window_geometry "$wid") after $step steps of the pointer"'
# The compositor moves it in its own time: the place it comes to rest at is where the next
# step starts from.
at_rest() {
    local a b
    a=$(window_geometry "$wid")
    sleep 0.2
    b=$(window_geometry "$wid")
    [ "$a" = "$b" ]
}
wait_for 5 at_rest
read -r mx my _ < <(window_geometry "$wid")
wl_pointer_to $((gx + 15 * step + 15)) $((gy - 5 * step - 5))
verify "a further step of the pointer moves it as far" \
    '[ "$(window_geometry "$wid" | cut -d" " -f1-2)" = "$((mx + 15)) $((my - 5))" ]' \
    'echo "it is at $(window_geometry "$wid"), not at $((mx + 15)) $((my - 5))"'
wl_button release
read -r wx wy _ _ < <(window_geometry "$wid")

# A pick area of 3 x 3, chosen in the settings file before a start: over the picture, a pick in
# the random block takes the mean of the nine pixels round the pointer, each channel rounded to
# nearest (halves up).
mean3() {
    local x=$1 y=$2 seed=$3 r=0 g=0 b=0 i j c
    for j in -1 0 1; do
        for i in -1 0 1; do
            c=$("$PATTERN" --expect $((x + i)) $((y + j)) --seed "$seed")
            r=$((r + 16#${c:0:2})) g=$((g + 16#${c:2:2})) b=$((b + 16#${c:4:2}))
        done
    done
    printf '%02X%02X%02X\n' $(((2 * r + 9) / 18)) $(((2 * g + 9) / 18)) $(((2 * b + 9) / 18))
}
stop_app
# Back at its first place: the close kept where the drag left it.
sed -i -e 's/^PickArea=.*/PickArea=3/' -e "s/^Left=.*/Left=$LEFT/" -e "s/^Top=.*/Top=$TOP/" \
    "$app/palora.ini"
expect "3 x 3: the settings file holds PickArea=3" PickArea=3 "$(grep '^PickArea=' "$app/palora.ini")"
"$app/huebird" >"$WORK/app.out" 2>&1 &
APP_PID=$!
if wid=$(wait_window); then
    [ "$KIND" = sway ] && swaymsg "[class=\"Huebird\"] move absolute position $LEFT $TOP" >/dev/null
    verify "3 x 3: the window is at its place again" at_place 'echo "it is at $(window_geometry "$wid")"'
    read -r wx wy _ _ < <(window_geometry "$wid")
    for w in native x11; do
        if [ $w = native ]; then at=$NATIVE_AT seed=$NATIVE_SEED; else at=$X11_AT seed=$X11_SEED; fi
        read -r ox oy <<<"$at"
        dx=$((BLOCK_X + 1 + (RANDOM % (BLOCK_W - 2)))) dy=$((BLOCK_Y + 1 + (RANDOM % (BLOCK_H - 2))))
        want=$(mean3 "$dx" "$dy" "$seed")
        pick_at $((ox + dx)) $((oy + dy))
        verify "$w: a 3 x 3 pick at ($dx, $dy) takes the mean of the block, $want" \
            '[ "$(swatch)" = '"$want"' ]' \
            'echo "the swatch shows $(swatch); the pixel itself is $("$PATTERN" --expect "$dx" "$dy" --seed "$seed")"'
    done
else
    fail "3 x 3: the window shows again"
fi

if [ "$KIND" = kwin ]; then
    # KDE's shortcut service has the hot-key, whichever window has the keyboard.
    wl_key ctrl+w
    check "Ctrl+W, through KDE's shortcut service, hides it" \
        wait_until 5 '[ "$(map_state "$wid")" = IsUnMapped ]'
    wl_key ctrl+w
    check "Ctrl+W shows it again" wait_until 5 '[ "$(map_state "$wid")" = IsViewable ]'
fi

if [ "$KIND" = gnome ]; then
    # The user said no to screenshots (the desktop's permission store holds it): a pick says so
    # in a notice and changes no colour.
    dbus-send --session --print-reply --dest=org.freedesktop.impl.portal.PermissionStore \
        /org/freedesktop/impl/portal/PermissionStore \
        org.freedesktop.impl.portal.PermissionStore.SetPermission string:screenshot \
        boolean:true string:screenshot string: array:string:no >/dev/null
    before=$(swatch)
    pointer_to $((wx + SW_X)) $((wy + SW_Y))
    wl_button press
    check "refused: a notice comes up instead of the picture" wait_for 10 frozen_shown
    wl_button release
    notice=$(wait_other_window "$wid") && "$PROBE" close "$notice"
    check "refused: the notice closes" wait_until 5 '[ "$(count_windows)" = 1 ]'
    expect "refused: the swatch keeps its colour" "$before" "$(swatch)"
fi

# The command hides and shows the window.
"$app/huebird" --toggle >/dev/null 2>&1
check "--toggle hides it" wait_until 5 '[ "$(map_state "$wid")" = IsUnMapped ]'
"$app/huebird" --toggle >/dev/null 2>&1
check "--toggle shows it again" wait_until 5 '[ "$(map_state "$wid")" = IsViewable ]'

if watcher_runs; then
    # The watcher lists items by bus name and path ("name/path" on KDE, "name@/path" in GNOME's
    # extension); ours is the one whose name is the program's.
    our_item() {
        local items item name
        items=$(gdbus call --session --dest org.kde.StatusNotifierWatcher \
            --object-path /StatusNotifierWatcher \
            --method org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierWatcher \
            RegisteredStatusNotifierItems 2>/dev/null | grep -o "'[^']*'" | tr -d "'")
        for item in $items; do
            name=${item%%[/@]*}
            [ "$(gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
                --method org.freedesktop.DBus.GetConnectionUnixProcessID "$name" 2>/dev/null |
                sed -n 's/.*uint32 \([0-9]*\).*/\1/p')" = "$APP_PID" ] && { echo "$item"; return 0; }
        done
        return 1
    }
    if wait_for 10 our_item >/dev/null && item=$(our_item); then
        pass "the tray icon registers with the session's StatusNotifier watcher ($item)"
        # A press on the icon, as the desktop's tray passes it on: the window hides and shows.
        gdbus call --session --dest "${item%%[/@]*}" --object-path "/${item#*/}" \
            --method org.kde.StatusNotifierItem.Activate 0 0 >/dev/null
        check "activating the tray icon hides the window" \
            wait_until 5 '[ "$(map_state "$wid")" = IsUnMapped ]'
        # The user's second press comes later than a double click's would (the toolkit's
        # interval is 400 ms), which the tray's rules take as one click.
        sleep 0.5
        gdbus call --session --dest "${item%%[/@]*}" --object-path "/${item#*/}" \
            --method org.kde.StatusNotifierItem.Activate 0 0 >/dev/null
        check "activating it again shows the window" \
            wait_until 5 '[ "$(map_state "$wid")" = IsViewable ]'
    else
        fail "the tray icon registers with the session's StatusNotifier watcher"
    fi
fi

stop_app
finish
