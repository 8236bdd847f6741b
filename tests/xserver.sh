# The one way the test scripts start a virtual X display and a window manager on it. Sourced.
#
#   xserver_start [DEPTH]   starts Xvfb (1024x768, 24 bits unless DEPTH) on a free display
#                           number, waits until it accepts connections and exports DISPLAY;
#                           XSERVER_PID is its process. Returns 1 (and says why) when it
#                           does not start.
#   xserver_stop            ends it (and the window manager, if any)
#   wm_start                starts openbox on DISPLAY and waits until it has taken the screen:
#                           it names itself on the root window and the window it names exists.
#                           WM_PID is its process. Returns 1 (and says why) when it does not.
#   wm_stop                 ends the window manager

XSERVER_PID=
WM_PID=

xserver_start() {
    local depth=${1:-24} file n= i
    file=$(mktemp)
    # The server picks a free display number itself and writes it once it accepts
    # connections, so tests running side by side never share a display.
    Xvfb -displayfd 5 -screen 0 "1024x768x$depth" -noreset -nolisten tcp 5>"$file" \
        >/dev/null 2>&1 &
    XSERVER_PID=$!
    for i in $(seq 1 400); do
        n=$(cat "$file" 2>/dev/null)
        [ -n "$n" ] && break
        kill -0 "$XSERVER_PID" 2>/dev/null || break
        sleep 0.05
    done
    rm -f "$file"
    if [ -z "$n" ]; then
        kill "$XSERVER_PID" 2>/dev/null
        wait "$XSERVER_PID" 2>/dev/null
        XSERVER_PID=
        echo "cannot start Xvfb (depth $depth)" >&2
        return 1
    fi
    export DISPLAY=:$n
}

# The window manager's check window, when one names itself on the root and that window exists.
_wm_check_window() {
    local id
    id=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | sed -n 's/.*window id # \(0x[0-9a-fA-F]*\).*/\1/p')
    [ -n "$id" ] && xprop -id "$id" _NET_SUPPORTING_WM_CHECK >/dev/null 2>&1
}

wm_start() {
    local i
    openbox --sm-disable >/dev/null 2>&1 &
    WM_PID=$!
    # Waits on what it checks, with a generous bound for a busy machine.
    for i in $(seq 1 400); do
        _wm_check_window && return 0
        if ! kill -0 "$WM_PID" 2>/dev/null; then
            echo "openbox ended at its start on $DISPLAY" >&2
            WM_PID=
            return 1
        fi
        sleep 0.05
    done
    echo "openbox did not take the screen of $DISPLAY within 20 s" >&2
    wm_stop
    return 1
}

wm_stop() {
    if [ -n "$WM_PID" ]; then
        kill "$WM_PID" 2>/dev/null
        wait "$WM_PID" 2>/dev/null
    fi
    WM_PID=
}

xserver_stop() {
    wm_stop
    if [ -n "$XSERVER_PID" ]; then
        kill "$XSERVER_PID" 2>/dev/null
        wait "$XSERVER_PID" 2>/dev/null
    fi
    XSERVER_PID=
}
