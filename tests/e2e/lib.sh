# Helpers for the end-to-end tests: a virtual display, app folders, checks and a summary.
# Expects APP (the built app folder) and PROBE (the xprobe tool) to be set.

PASSED=0
FAILED=0
APP_PID=
XVFB_PID=

pass() { PASSED=$((PASSED + 1)); echo "ok   $1"; }
fail() { FAILED=$((FAILED + 1)); echo "FAIL $1"; }

# check NAME COMMAND...: passes when the command succeeds.
check() {
    local name=$1
    shift
    if "$@"; then pass "$name"; else fail "$name"; fi
}

# expect NAME WANTED GOT
expect() {
    if [ "$2" = "$3" ]; then
        pass "$1"
    else
        fail "$1"
        printf '     wanted: %s\n     got:    %s\n' "$2" "$3" | sed 's/^/  /'
    fi
}

# expect_contains NAME NEEDLE HAYSTACK
expect_contains() {
    case "$3" in
        *"$2"*) pass "$1" ;;
        *) fail "$1"; printf '     %s not in: %s\n' "$2" "$3" ;;
    esac
}

. "$(dirname "${BASH_SOURCE[0]}")/../xserver.sh"

# start_display [DEPTH]: a virtual display of its own (XVFB_PID names its server).
start_display() {
    xserver_start "$@" || exit 1
    XVFB_PID=$XSERVER_PID
}

stop_app() {
    if [ -n "$APP_PID" ] && kill -0 "$APP_PID" 2>/dev/null; then
        kill "$APP_PID" 2>/dev/null
        wait "$APP_PID" 2>/dev/null
    fi
    APP_PID=
}

stop_all() {
    stop_app
    wm_stop
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    [ -n "${WORK:-}" ] && [ -z "${KEEP_E2E:-}" ] && rm -rf "$WORK"
}

# make_app NAME SETTINGS: a copy of the app folder with its own settings file; prints its path.
make_app() {
    local dir="$WORK/$1"
    mkdir -p "$dir"
    cp "$APP/huebird" "$dir/"
    cp "$APP/libhuebirdhook.so" "$dir/"
    cp -r "$APP/skins" "$dir/"
    printf '%s\n' "$2" >"$dir/palora.ini"
    echo "$dir"
}

start_app() {
    stop_app
    "$1/huebird" >"$WORK/app.out" 2>&1 &
    APP_PID=$!
}

# The id of the program's window, once it is mapped.
wait_window() {
    local i id
    for i in $(seq 1 100); do
        id=$("$PROBE" find Huebird 2>/dev/null) && { echo "$id"; return 0; }
        sleep 0.05
    done
    return 1
}

# wait_other_window WID: the id of a second program window (a dialog), once it is mapped.
wait_other_window() {
    local i w
    for i in $(seq 1 60); do
        for w in $(xdotool search --onlyvisible --name '^Huebird$' 2>/dev/null); do
            [ "$w" != "$1" ] && { echo "$w"; return 0; }
        done
        sleep 0.05
    done
    return 1
}

# A menu is a popup: a visible override-redirect window.
popup_open() {
    local w
    for w in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
        xwininfo -id "$w" | grep -q 'Override Redirect State: yes' && return 0
    done
    return 1
}

# map_state WID: IsViewable, IsUnMapped or IsUnviewable, as the X server says.
map_state() { xwininfo -id "$1" 2>/dev/null | awk '/Map State:/ {print $3}'; }

count_windows() { xdotool search --onlyvisible --name '^Huebird$' 2>/dev/null | wc -l; }

# wait_exit PID: true when the process ends within five seconds.
wait_exit() {
    local i
    for i in $(seq 1 100); do
        kill -0 "$1" 2>/dev/null || { wait "$1" 2>/dev/null; APP_PID=; return 0; }
        sleep 0.05
    done
    return 1
}

# wait_for SECONDS COMMAND...: true as soon as the command succeeds within the time.
wait_for() {
    local until=$(($(date +%s%N) + $1 * 1000000000))
    shift
    while [ "$(date +%s%N)" -lt $until ]; do
        "$@" && return 0
        sleep 0.1
    done
    "$@"
}

# wait_until SECONDS EXPRESSION: like wait_for, but the shell expression is evaluated afresh on
# every try, so "$(...)" inside it looks again each time (wait_for's arguments are expanded
# once, before it starts: `wait_for 2 test "$(swatch)" = X` would look only once).
wait_until() {
    local seconds=$1
    shift
    wait_for "$seconds" eval "$*"
}

window_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}

# The width and height of a BMP file, from its header.
bmp_size() {
    od -An -t d4 -j 18 -N 8 "$1" | awk '{h=$2; if (h < 0) h=-h; print $1, h}'
}

# ini_get FILE SECTION KEY: the value, sections and keys without regard to case.
ini_get() {
    tr -d '\r' <"$1" | awk -v s="$2" -v k="$3" '
        BEGIN { s = tolower(s); k = tolower(k) }
        /^[ \t]*\[/ { sub(/^[ \t]*\[/, ""); sub(/\].*/, ""); cur = tolower($0); next }
        cur == s && index($0, "=") {
            key = substr($0, 1, index($0, "=") - 1); gsub(/^[ \t]+|[ \t]+$/, "", key)
            if (tolower(key) == k) { v = substr($0, index($0, "=") + 1); gsub(/^[ \t]+|[ \t]+$/, "", v); print v; exit }
        }'
}

# shot FILE: a screenshot of the whole display, for a person to look at.
shot() {
    local dir
    dir="$(dirname "$APP")/e2e-screenshots"
    mkdir -p "$dir"
    import -window root "$dir/$1" 2>/dev/null && echo "     screenshot: $dir/$1"
}

finish() {
    echo "$PASSED passed, $FAILED failed"
    [ "$FAILED" -eq 0 ]
}
