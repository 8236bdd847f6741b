# What the Wayland suites share, on top of compositors.sh and e2e/lib.sh (both sourced first):
#
#   wl_session KIND        starts the session as the test's first check: passes (with its start
#                          time) or fails and ends the test; exits 77, said, when something the
#                          session needs is not installed.
#   wl_patterns NATIVE_SEED X11_SEED
#                          shows a window of known pixels natively and one through Xwayland, the
#                          X11 one on the last output (placed by the pointer where the compositor
#                          places windows itself), waits until both are found in one capture
#                          and sets NATIVE_AT and X11_AT ("X Y" of each pattern's origin),
#                          NATIVE_PID and X11_PID; their output is in $WORK/native.out and
#                          $WORK/x11.out, their errors in .err beside. Fails (and shows the
#                          capture and the errors) when they are not found.
# Read: PATTERN (the pattern program), WORK (the test's folder), PROBE. Sets LAST_OUTPUT_X.

wl_session() {
    wl_start "$1"
    local rc=$?
    if [ $rc = 77 ]; then
        echo "--- skipped: the $1 session cannot start here (above: what is missing)"
        exit 77
    fi
    if [ $rc != 0 ]; then
        fail "the $1 session starts"
        finish
        exit 1
    fi
    pass "the $1 session starts ($WL_START_MS ms; desktop ${WL_WIDTH}x$WL_HEIGHT)"
    LAST_OUTPUT_X=$((WL_WIDTH - 1280))
}

_wl_found_both() {
    wl_capture "$WORK/shot.png" || return 1
    NATIVE_AT=$("$PATTERN" --find "$WORK/shot.png" --seed "$1") || return 1
    X11_AT=$("$PATTERN" --find "$WORK/shot.png" --seed "$2")
}

wl_patterns() {
    NATIVE_AT= X11_AT=
    # Compositors place a new window on the output with the pointer (sway tiles it there); only
    # X11 windows may also ask for a place.
    wl_pointer_to 640 512
    "$PATTERN" --platform wayland --seed "$1" --title native >"$WORK/native.out" \
        2>"$WORK/native.err" &
    NATIVE_PID=$!
    check "the native window shows" wait_until 20 'grep -q "^ready" "$WORK/native.out"'
    wl_pointer_to $((LAST_OUTPUT_X + 640)) 512
    "$PATTERN" --platform xcb --seed "$2" --title x11 --at $((LAST_OUTPUT_X + 900)) 150 \
        >"$WORK/x11.out" 2>"$WORK/x11.err" &
    X11_PID=$!
    check "the X11 window shows" wait_until 20 'grep -q "^ready" "$WORK/x11.out"'
    if ! wait_for 20 _wl_found_both "$1" "$2"; then
        fail "both windows are found in a capture"
        cp "$WORK/shot.png" "$(dirname "$PROBE")/wayland-$WL_KIND-notfound.png" 2>/dev/null &&
            echo "     capture: $(dirname "$PROBE")/wayland-$WL_KIND-notfound.png"
        sed 's/^/     native: /' "$WORK/native.err"
        sed 's/^/     x11: /' "$WORK/x11.err"
        return 1
    fi
    pass "both windows are found in a capture"
    if [ "$WL_OUTPUTS" -gt 1 ]; then
        local x11x
        read -r x11x _ <<<"$X11_AT"
        check "the X11 window is on the last output" test "$x11x" -ge "$LAST_OUTPUT_X"
    fi
}
