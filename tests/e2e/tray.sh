#!/usr/bin/env bash
# End to end with a real tray: trayer (an XEmbed tray) on a virtual display, and a small
# program that has the real tray icon and hiding around a plain window (huebird_traydemo).
# Observed from outside: the tray's pixels, which windows are mapped and where.
#   tray.sh TRAYDEMO XPROBE [APP_DIR]   (with APP_DIR, the real program is checked too)
# Each check is a function; a test for the real program can reuse the helpers above them.
set -u
# The checks read the program's own (Chinese) texts: the language is set, not inherited. The
# program reads LANGUAGE first; the tools keep a locale every machine has.
export LANG=C.UTF-8 LC_ALL= LANGUAGE=zh_CN
DEMO=$1
PROBE=$2
APP=$(cd "${3:-$(dirname "$DEMO")}" && pwd)  # the app folder lib.sh copies; screenshots beside it
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"

command -v trayer >/dev/null || { echo "trayer is not installed (scripts/deps.sh installs it)"; exit 1; }

# The toolkit prefers a StatusNotifierItem host on the session bus when one runs; these tests
# are about the XEmbed tray.
unset DBUS_SESSION_BUS_ADDRESS
DEMO_CLASS=huebird_traydemo
TRAYER_PID=
WORK=$(mktemp -d /tmp/huebird-e2e-tray.XXXXXX)

# --- helpers ----------------------------------------------------------------------------------

start_tray() {
    stop_tray
    trayer --edge bottom --align right --widthtype request --height 24 >"$WORK/trayer.out" 2>&1 &
    TRAYER_PID=$!
    wait_for 5 tray_panel >/dev/null
}

stop_tray() {
    if [ -n "$TRAYER_PID" ]; then
        kill "$TRAYER_PID" 2>/dev/null
        wait "$TRAYER_PID" 2>/dev/null
    fi
    TRAYER_PID=
}

# The tray's panel window, once it is there: "X Y W H".
tray_panel() {
    xwininfo -root -tree | awk '/"panel": \("panel" "trayer"\)/ {
        split($(NF-1), g, /[x+]/); split($NF, a, /[+]/); print a[2], a[3], g[1], g[2]; f=1 }
        END { exit !f }'
}

# start_demo ARGS...: the program, started afresh; waits for its main window.
start_demo() {
    stop_app
    "$DEMO" "$@" >"$WORK/demo.out" 2>&1 &
    APP_PID=$!
    wait_for 5 main_window >/dev/null
}

main_window() { xdotool search --onlyvisible --name '^Huebird$' 2>/dev/null | head -1 | grep .; }

# The program's mapped windows by title, sorted and joined by commas.
showing() {
    local w names=()
    for w in $(xdotool search --onlyvisible --name '^Huebird' 2>/dev/null); do
        names+=("$(xdotool getwindowname "$w")")
    done
    printf '%s\n' "${names[@]}" | sort | paste -sd, -
}

showing_is() { [ "$(showing)" = "$1" ]; }

# tray_icon [CLASS]: "X Y W H" of the program's icon window in a tray (a window of the program
# nested in another program's window), once there is one.
tray_icon() {
    xwininfo -root -tree | awk -v c="(\"${1:-$DEMO_CLASS}\" " '
        /^         +0x/ && index($0, c) { split($(NF-1), g, /[x+]/); split($NF, a, /[+]/)
            print a[2], a[3], g[1], g[2]; f=1; exit }
        END { exit !f }'
}

# How many pixels of the colour RRGGBB the screen shows in X Y W H.
count_colour() {
    import -window root -crop "$3x$4+$1+$2" -depth 8 txt:- 2>/dev/null | grep -ci "#$5"
}

# icon_shows_strokes [CLASS]: the icon shows its four strokes, a few pixels of each colour.
icon_shows_strokes() {
    local g c
    g=$(tray_icon "${1:-}") || return 1
    for c in FFC400 1E6FE8 20A848 E8302A; do
        # shellcheck disable=SC2086
        [ "$(count_colour $g $c)" -ge 8 ] || return 1
    done
}

# click_icon BUTTON [REPEAT [CLASS]]: clicks the middle of the tray icon.
click_icon() {
    local x y w h
    read -r x y w h < <(tray_icon "${3:-}") || return 1
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click --repeat "${2:-1}" --delay 120 "$1"
}

has_tray_icon() { tray_icon "${1:-}" >/dev/null; }
has_main_window() { main_window >/dev/null; }

menu_shown() { xwininfo -name PopupMenu1 2>/dev/null | grep -q 'IsViewable'; }

pos_of() {
    local w
    w=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1) || return 1
    [ -n "$w" ] && window_geometry "$w" | cut -d' ' -f1,2
}

settle() { sleep 0.4; }

# --- checks -----------------------------------------------------------------------------------

check_icon_docks() {
    start_tray
    start_demo
    check "icon docks in the tray" wait_for 5 has_tray_icon
    check "the tray shows the four strokes" wait_for 3 icon_shows_strokes
    shot tray-icon.png
}

check_left_click_toggles() {
    start_tray
    start_demo
    wait_for 5 icon_shows_strokes
    xdotool key --window "$(main_window)" p
    wait_for 3 showing_is "Huebird,Huebird palette"
    local before
    before="$(pos_of Huebird) $(pos_of 'Huebird palette')"
    click_icon 1
    settle
    expect "a left click hides every window of the program" "" "$(showing)"
    check "the icon stays in the tray while hidden" icon_shows_strokes
    click_icon 1
    settle
    expect "a second left click brings them back" "Huebird,Huebird palette" "$(showing)"
    expect "each at the place it had" "$before" "$(pos_of Huebird) $(pos_of 'Huebird palette')"
    expect_contains "still kept off the taskbar" _NET_WM_STATE_SKIP_TASKBAR \
        "$("$PROBE" state "$(main_window)")"
}

check_double_click_toggles_once() {
    start_tray
    start_demo
    wait_for 5 icon_shows_strokes
    click_icon 1 2
    settle
    expect "a double click hides once" "" "$(showing)"
    sleep 0.5  # beyond the double-click interval
    click_icon 1 2
    settle
    expect "and shows once" "Huebird" "$(showing)"
}

check_right_click_menu() {
    start_tray
    start_demo
    wait_for 5 icon_shows_strokes
    click_icon 3
    check "a right click opens the menu when the window is up and to the left" wait_for 2 menu_shown
    xdotool key Escape
    wait_for 2 bash -c '! xwininfo -name PopupMenu1 2>/dev/null | grep -q IsViewable'
    # The window in the bottom-right corner, over the tray: the pointer is not beyond it.
    start_demo --at 900 680
    wait_for 5 icon_shows_strokes
    click_icon 3
    sleep 0.6
    check "a right click opens nothing when the window is over the tray" bash -c '! xwininfo -name PopupMenu1 2>/dev/null | grep -q IsViewable'
    expect "and toggles nothing" "Huebird" "$(showing)"
}

check_modal_dialog() {
    start_tray
    start_demo
    wait_for 5 icon_shows_strokes
    xdotool key --window "$(main_window)" d
    wait_for 3 showing_is "Huebird,Huebird dialog"
    local before
    before=$(pos_of 'Huebird dialog')
    click_icon 1
    settle
    expect "a left click hides the program with its modal dialog" "" "$(showing)"
    click_icon 1
    settle
    expect "and brings both back" "Huebird,Huebird dialog" "$(showing)"
    expect "the dialog at its place" "$before" "$(pos_of 'Huebird dialog')"
    # The dialog goes on where it was: its OK button accepts it.
    local dx dy
    read -r dx dy < <(pos_of 'Huebird dialog')
    xdotool mousemove $((dx + 10)) $((dy + 10)) click 1
    check "the dialog was still running and returns accepted" wait_for 3 grep -q '^dialog 1$' "$WORK/demo.out"
}

check_tray_restarted() {
    start_tray
    start_demo
    wait_for 5 icon_shows_strokes
    stop_tray
    start_tray
    check "a tray restarted after the program gets the icon" wait_for 5 icon_shows_strokes
}

check_tray_started_later() {
    stop_tray
    start_demo
    sleep 0.5
    start_tray
    check "a tray started after the program gets the icon" wait_for 5 icon_shows_strokes
    click_icon 1
    settle
    expect "and its clicks work" "" "$(showing)"
}

check_no_tray() {
    stop_tray
    start_demo
    xdotool key --window "$(main_window)" m
    settle
    local w
    w=$(main_window)
    expect "without a tray, the hot-key lets the window hide; a notice says so" 1 \
        "$(xdotool search --onlyvisible --name '^Huebird$' 2>/dev/null | wc -l)"
    read -r _ _ nw nh < <(window_geometry "$w")
    check "the window showing is the notice, not the main window" test "$nw $nh" != "120 80"
    start_demo --no-hotkey
    xdotool key --window "$(main_window)" m
    settle
    expect "without a tray or a hot-key the window stays, and a notice says why" 2 \
        "$(xdotool search --onlyvisible --name '^Huebird$' 2>/dev/null | wc -l)"
}

check_tray_lost_while_hidden() {
    start_tray
    start_demo --no-hotkey
    wait_for 5 icon_shows_strokes
    click_icon 1
    settle
    expect "hidden to the tray" "" "$(showing)"
    stop_tray
    check "the tray gone and no hot-key: the program comes back by itself" \
        wait_for 4 has_main_window
}


# --- the real program -------------------------------------------------------------------------

check_real_program() {
    local skin app wid before mx my x y
    skin="$APP/skins/DEFAULT/skin.ini"
    app=$(make_app tray-real "[System]
Left=300
Top=200
AutoFlex=0
AlwaysTop=1")
    start_tray
    stop_app
    "$app/huebird" >"$WORK/app.out" 2>&1 &
    APP_PID=$!
    wid=$(wait_window) || { fail "huebird: window appears"; return; }
    check "huebird: its icon docks in the tray" wait_for 5 has_tray_icon huebird
    check "huebird: the tray shows the four strokes" wait_for 3 icon_shows_strokes huebird
    shot tray-huebird.png
    before=$(window_geometry "$wid")
    click_icon 1 1 huebird
    check "huebird: a left click on the icon hides the window" wait_for 2 showing_is ""
    sleep 0.5  # beyond the double-click interval
    click_icon 1 1 huebird
    check "huebird: a second left click shows it" wait_for 2 showing_is "Huebird"
    expect "huebird: at the place it had" "$before" "$(window_geometry "$wid")"
    sleep 0.5
    click_icon 1 2 huebird
    settle
    expect "huebird: a double click hides once" "" "$(showing)"
    sleep 0.5
    click_icon 1 1 huebird
    check "huebird: and a click brings it back" wait_for 2 showing_is "Huebird"
    sleep 0.5
    wait_for 2 showing_is "Huebird"
    # The minimise button hides too.
    read -r x y _ < <(window_geometry "$wid")
    mx=$(ini_get "$skin" Minimize Left); my=$(ini_get "$skin" Minimize Top)
    xdotool mousemove $((x + mx + 3)) $((y + my + 3)) click 1
    check "huebird: the minimise button hides the window" wait_for 2 showing_is ""
    sleep 0.5
    click_icon 1 1 huebird
    wait_for 2 showing_is "Huebird"
    # Stays-on-top: on as stored, then off at once from "设置" > "总在最上面".
    expect_contains "huebird: on top as stored" _NET_WM_STATE_ABOVE "$("$PROBE" state "$wid")"
    read -r x y _ < <(window_geometry "$wid")
    mx=$(ini_get "$skin" Menu Left); my=$(ini_get "$skin" Menu Top)
    xdotool mousemove $((x + mx + 3)) $((y + my + 3)) click 1
    sleep 0.4
    xdotool key Down Down Right
    sleep 0.3
    xdotool key Return
    sleep 0.4
    check "huebird: unchecking the item takes it off the top at once" \
        bash -c "! '$PROBE' state $wid | grep -q _NET_WM_STATE_ABOVE"
    expect_contains "huebird: and keeps it off the taskbar" _NET_WM_STATE_SKIP_TASKBAR "$("$PROBE" state "$wid")"
    expect "huebird: without moving it" "$before" "$(window_geometry "$wid")"
    stop_app
}

# --- the real program: iconified windows and a pick cut short by hiding ---------------------
# Under a window manager: its minimise box iconifies a dialog, and a toggle brings it back.

viewable() { xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
unviewable() { ! viewable "$1"; }
both_viewable() { viewable "$1" && viewable "$2"; }
neither_viewable() { unviewable "$1" && unviewable "$2"; }
pixel_is() { [ "$("$PROBE" pixel "$1" "$2")" = "$3" ]; }

# start_real_in_tray NAME: the real program with its own settings (hot-key Ctrl+F5); true once
# its window shows and its icon is in the tray. (Not in a command substitution: the caller
# keeps APP_PID to stop it.)
start_real_in_tray() {
    local app
    app=$(make_app "$1" "[System]
Left=300
Top=200
Color1=000000
AutoFlex=0
AlwaysTop=1
HookKey=116")
    start_app "$app"
    wait_for 5 main_window >/dev/null && wait_for 5 icon_shows_strokes huebird
}

check_real_iconified_dialog() {
    local skin wid box x y mx my
    skin="$APP/skins/DEFAULT/skin.ini"
    start_tray
    start_real_in_tray tray-iconified || { fail "huebird iconified: window and icon appear"; stop_app; return; }
    wid=$(main_window)
    read -r x y _ < <(window_geometry "$wid")
    mx=$(ini_get "$skin" Menu Left); my=$(ini_get "$skin" Menu Top)
    xdotool mousemove $((x + mx + 3)) $((y + my + 3)) click 1
    sleep 0.4
    xdotool key Up Return  # 关于
    box=$(wait_other_window "$wid") || { fail "huebird iconified: the about box opens"; stop_app; return; }
    xdotool windowminimize "$box"
    check "huebird iconified: the window manager iconifies the about box and the main window" \
        wait_for 3 neither_viewable "$wid" "$box"
    sleep 0.5  # beyond the double-click interval
    click_icon 1 1 huebird
    check "huebird iconified: a left press on the icon brings both back" \
        wait_for 3 both_viewable "$wid" "$box"
    # Now the program shows whole: the next presses hide it and bring it back as usual.
    sleep 0.5
    click_icon 1 1 huebird
    check "huebird iconified: the next press hides both" wait_for 3 neither_viewable "$wid" "$box"
    sleep 0.5
    click_icon 1 1 huebird
    check "huebird iconified: and the one after shows both" wait_for 3 both_viewable "$wid" "$box"
    # The hot-key does the same.
    xdotool windowminimize "$box"
    wait_for 3 neither_viewable "$wid" "$box"
    xdotool key ctrl+F5
    check "huebird iconified: the hot-key brings both back" wait_for 3 both_viewable "$wid" "$box"
    shot tray-iconified-back.png
    stop_app
}

check_real_pick_cut_by_hiding() {
    local skin wid x y sx sy sw sh scx scy
    skin="$APP/skins/DEFAULT/skin.ini"
    start_tray
    start_real_in_tray tray-pick || { fail "huebird pick: window and icon appear"; stop_app; return; }
    wid=$(main_window)
    read -r x y _ < <(window_geometry "$wid")
    sx=$(ini_get "$skin" Color1 Left); sy=$(ini_get "$skin" Color1 Top)
    sw=$(ini_get "$skin" Color1 Width); sh=$(ini_get "$skin" Color1 Height)
    scx=$((x + sx + sw / 2)); scy=$((y + sy + sh / 2))
    "$PROBE" root 4A7F2C
    xdotool mousemove $scx $scy mousedown 1
    sleep 0.2
    xdotool mousemove 800 300
    check "huebird pick: the swatch follows the pointer while the button is held" \
        wait_for 2 pixel_is $scx $scy 4A7F2C
    xdotool key ctrl+F5
    check "huebird pick: the hot-key hides the program mid-pick" wait_for 3 unviewable "$wid"
    xdotool mouseup 1
    sleep 0.5
    click_icon 1 1 huebird
    check "huebird pick: the icon brings it back" wait_for 3 viewable "$wid"
    xdotool mousemove 800 300
    sleep 0.4  # four ticks of a pick that would still run
    expect "huebird pick: no magnifier comes back with it" 1 "$(count_windows)"
    expect "huebird pick: the swatch shows its stored colour, nothing was picked" 000000 \
        "$("$PROBE" pixel $scx $scy)"
    shot tray-pick-hidden.png
    stop_app
}

# start_real NAME [SETTINGS...]: the real program from a fresh copy of the app folder, its window
# at (300, 200); REAL_WID is its window's id once it is mapped (false when it never maps).
start_real() {
    local app name=$1
    shift
    stop_app
    app=$(make_app "$name" "$(printf '%s\n' "[System]" Left=300 Top=200 AutoFlex=0 AlwaysTop=1 "$@")")
    "$app/huebird" >"$WORK/app.out" 2>&1 &
    APP_PID=$!
    REAL_WID=$(wait_for 5 main_window)  # the client window, framed or not
}

# The program's mapped windows, menus and the tray icon included.
real_windows() { xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | sort | paste -sd, -; }
windows_differ() { [ "$(real_windows)" != "$1" ]; }
active_is() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
active_is_not() { ! active_is "$1"; }
viewable() { xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
gone() { ! viewable "$1"; }
# A window titled "颜色" (the desktop colour dialog) shows.
colour_dialog_shown() { xdotool search --onlyvisible --name '^颜色$' >/dev/null 2>&1; }
no_colour_dialog() { ! colour_dialog_shown; }

# open_menu WID: the main menu, from the skin's menu button.
open_menu() {
    local x y mx my before skin="$APP/skins/DEFAULT/skin.ini"
    read -r x y _ < <(window_geometry "$1")
    mx=$(ini_get "$skin" Menu Left); my=$(ini_get "$skin" Menu Top)
    before=$(real_windows)
    xdotool mousemove $((x + mx + 3)) $((y + my + 3)) click 1
    wait_for 2 windows_differ "$before" || return 1
    sleep 0.3  # the menu takes the keyboard just after it maps
}

# The label font dialog opened from the main menu (设置 > 更改字体); prints its id.
open_font_dialog() {
    open_menu "$1" || return 1
    xdotool key Down Down Right Down Down Return
    wait_other_window "$1"
}

# A colour dialog opened from the font dialog and closed again leaves the tray icon working:
# a left click still hides the program with its dialog and brings both back, and a right click
# opens no menu over the dialog.
check_real_nested_dialogs() {
    local wid font x y before
    start_real tray-nested || {  fail "huebird: window appears"; return; }
    wid=$REAL_WID
    wait_for 5 icon_shows_strokes huebird
    font=$(open_font_dialog "$wid") || { fail "huebird: the font dialog opens"; shot nested.png; stop_app; return; }
    read -r x y _ < <(window_geometry "$font")
    xdotool mousemove $((x + 50 + 29 + 12)) $((y + 44 + 65 + 7)) click 1  # the first sample
    check "huebird: a sample button of the font dialog opens the colour dialog" \
        wait_for 3 colour_dialog_shown
    xdotool key Escape
    wait_for 3 no_colour_dialog
    before=$(real_windows)
    click_icon 3 1 huebird
    sleep 0.6
    expect "huebird: a right click on the icon opens no menu while the font dialog runs" \
        "$before" "$(real_windows)"
    click_icon 1 1 huebird
    check "huebird: after the colour dialog closed, a left click on the icon still hides the program" \
        wait_for 2 showing_is ""
    sleep 0.5
    click_icon 1 1 huebird
    check "huebird: and brings it back with the font dialog" wait_for 2 showing_is "Huebird,Huebird"
    stop_app
}

# With a window manager and another program's window: a right click on the icon brings the
# running dialog to the front, and a dialog that closes gives the keyboard back to the main
# window, so the next Ctrl+C copies.
check_real_keyboard_comes_back() {
    local wid other font box before
    xmessage -geometry +600+100 "another program" >/dev/null 2>&1 &
    other=$!
    start_real tray-focus Color1=123456 CopyType=0 CopyAdd#=0 ||
        { fail "huebird: window appears"; kill "$other"; return; }
    wid=$REAL_WID
    wait_for 5 icon_shows_strokes huebird
    xdotool mousemove 700 140 click 1  # the other program has the keyboard
    sleep 0.3
    font=$(open_font_dialog "$wid") || { fail "huebird: the font dialog opens"; shot focus.png; stop_app; kill "$other"; return; }
    wait_for 2 active_is "$font"
    xdotool mousemove 700 140 click 1
    wait_for 2 active_is_not "$font"
    before=$(real_windows)
    click_icon 3 1 huebird
    check "huebird: a right click on the icon brings the running dialog to the front" \
        wait_for 2 active_is "$font"
    expect "huebird: and opens no menu" "$before" "$(real_windows)"
    xdotool key Escape
    wait_for 3 gone "$font"
    # The favourites manager by its key, closed with Escape.
    xdotool windowactivate "$wid" 2>/dev/null
    wait_for 2 active_is "$wid"
    xdotool key ctrl+o
    box=$(wait_other_window "$wid") || fail "huebird: Ctrl+O opens the favourites manager"
    wait_for 2 active_is "$box"
    xdotool key Escape
    wait_for 3 gone "$box"
    check "huebird: after the manager closes the main window has the keyboard" \
        wait_for 2 active_is "$wid"
    printf 'stale' | xclip -selection clipboard -i 2>/dev/null
    xdotool key ctrl+c
    check "huebird: and Ctrl+C copies the colour" \
        wait_for 2 bash -c '[ "$(xclip -selection clipboard -o 2>/dev/null)" = 123456 ]'
    stop_app
    kill "$other" 2>/dev/null
    wait "$other" 2>/dev/null
}

# --- run --------------------------------------------------------------------------------------

start_display
trap 'stop_tray; stop_all' EXIT
check_icon_docks
check_left_click_toggles
check_double_click_toggles_once
check_right_click_menu
check_modal_dialog
check_tray_restarted
check_tray_started_later
check_no_tray
check_tray_lost_while_hidden
if [ -n "${3:-}" ]; then
    check_real_program
    check_real_nested_dialogs
fi

# Again with a window manager, which frames the windows and may place them anew when they are
# shown again.
if command -v openbox >/dev/null; then
    echo "--- with openbox"
    wm_start || { fail "openbox starts"; finish; exit 1; }
    check_left_click_toggles
    check_modal_dialog
    if [ -n "${3:-}" ]; then
        check_real_iconified_dialog
        check_real_pick_cut_by_hiding
        check_real_nested_dialogs
        check_real_keyboard_comes_back
    fi
else
    echo "--- openbox is not installed: the window-manager pass is skipped"
fi
finish
