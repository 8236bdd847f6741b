#!/usr/bin/env bash
# Runs test programs on a virtual display of their own, without a window manager and, when
# openbox is installed, with it (windows then sit inside frames); HUEBIRD_TEST_WM is set in the
# second pass.
#   onx.sh TEST_BINARY...
set -u
# The checks read the program's own (Chinese) texts: the language is set, not inherited. The
# program reads LANGUAGE first; the tools keep a locale every machine has.
export LANG=C.UTF-8 LC_ALL= LANGUAGE=zh_CN
status=0
. "$(dirname "$0")/xserver.sh"
run() {  # run MODE
    xserver_start || { status=1; return; }
    if [ "$1" = openbox ]; then
        wm_start || { status=1; xserver_stop; return; }
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
    xserver_stop
}
TESTS=("$@")
run "no window manager"
if command -v openbox >/dev/null; then
    run openbox
else
    echo "--- openbox is not installed: the window-manager half is skipped"
fi
exit $status
