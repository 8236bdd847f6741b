#!/usr/bin/env bash
# Runs the hot-key tests on a virtual display of their own, without a window manager and, when
# openbox is installed, with it (the program's window then sits inside a frame).
#   run.sh TEST_BINARY...
set -u
# The checks read the program's own (Chinese) texts: the language is set, not inherited. The
# program reads LANGUAGE first; the tools keep a locale every machine has.
export LANG=C.UTF-8 LC_ALL= LANGUAGE=zh_CN
status=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
run() {  # run MODE
    rm -f "$tmp/display"
    # The server picks a free display number and writes it once it accepts connections.
    Xvfb -displayfd 5 -screen 0 1024x768x24 -noreset -nolisten tcp 5>"$tmp/display" \
        >/dev/null 2>&1 &
    local xvfb=$! wm= n=
    for _ in $(seq 1 200); do
        n=$(cat "$tmp/display" 2>/dev/null)
        [ -n "$n" ] && break
        sleep 0.05
    done
    if [ -z "$n" ]; then
        echo "cannot start Xvfb"
        kill $xvfb 2>/dev/null
        status=1
        return
    fi
    export DISPLAY=:$n
    if [ "$1" = openbox ]; then
        openbox --sm-disable >/dev/null 2>&1 &
        wm=$!
        for _ in $(seq 1 100); do
            xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
            sleep 0.05
        done
        export HUEBIRD_TEST_WM=1
    else
        unset HUEBIRD_TEST_WM
    fi
    export QT_QPA_PLATFORM=xcb
    echo "--- $1 (DISPLAY=$DISPLAY)"
    local test
    for test in "${TESTS[@]}"; do
        "$test" || status=1
    done
    [ -n "$wm" ] && kill $wm
    kill $xvfb
    wait 2>/dev/null
}
TESTS=("$@")
run "no window manager"
if command -v openbox >/dev/null; then
    run openbox
else
    echo "--- openbox is not installed: the window-manager half is skipped"
fi
exit $status
