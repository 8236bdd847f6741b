#!/usr/bin/env bash
# Runs the X11 desktop tests on a virtual display, without a window manager and, when openbox is
# installed, with it.
#   x11.sh TEST_BINARY
set -u
# The checks read the program's own (Chinese) texts: the language is set, not inherited. The
# program reads LANGUAGE first; the tools keep a locale every machine has.
export LANG=C.UTF-8 LC_ALL= LANGUAGE=zh_CN
TEST=$1
status=0
run() {  # run MODE
    # The server picks a free display number and writes it once it accepts connections.
    local file n=
    file=$(mktemp)
    Xvfb -displayfd 5 -screen 0 1024x768x24 -noreset -nolisten tcp 5>"$file" >/dev/null 2>&1 &
    local xvfb=$! wm=
    for _ in $(seq 1 200); do
        n=$(cat "$file" 2>/dev/null)
        [ -n "$n" ] && break
        sleep 0.05
    done
    rm -f "$file"
    export DISPLAY=:${n:-99}
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
    echo "--- $1"
    QT_QPA_PLATFORM=xcb "$TEST" || status=1
    [ -n "$wm" ] && kill $wm
    kill $xvfb
    wait 2>/dev/null
}
run "no window manager"
if command -v openbox >/dev/null; then
    run openbox
else
    echo "--- openbox is not installed: the window-manager half is skipped"
fi
exit $status
