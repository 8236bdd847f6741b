#!/usr/bin/env bash
# The real program's resources over time, on a virtual display of its own:
#   1. a minute of picking: resident memory flat within 2 MiB after a warm-up, open files stable;
#   2. idle with automatic size off: no processor time, at most one wake-up a second;
#      the same with automatic size on, for comparison.
# Builds into build/ unless BUILD names a built tree. PICK_SECONDS and IDLE_SECONDS shorten or
# lengthen the runs. Exits non-zero when a goal is missed.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
if [ -z "${BUILD:-}" ]; then
    bash scripts/build.sh >/dev/null
    BUILD=$ROOT/build
fi
BENCH=$BUILD/bench/huebird_bench_resources
APP=$BUILD/app
PICK_SECONDS=${PICK_SECONDS:-60}
IDLE_SECONDS=${IDLE_SECONDS:-30}
# shellcheck source=../tests/e2e/lib.sh
. "$ROOT/tests/e2e/lib.sh"

WORK=$(mktemp -d /tmp/huebird-resources.XXXXXX)
start_display
trap 'stop_all' EXIT
# No session bus: the program is measured on its own, as on a bare display.
unset DBUS_SESSION_BUS_ADDRESS

settings() {  # settings AUTOFLEX
    printf '[System]\nSkinName=DEFAULT\nLeft=100\nTop=100\nAlwaysTop=1\nAutoFlex=%s\nHookKey=87\n' "$1"
}

skin="$APP/skins/DEFAULT/skin.ini"
sx=$(($(ini_get "$skin" Color1 Left) + $(ini_get "$skin" Color1 Width) / 2))
sy=$(($(ini_get "$skin" Color1 Top) + $(ini_get "$skin" Color1 Height) / 2))

status=0
echo "=== picking"
"$BENCH" pick "$(make_app pick "$(settings 0)")" $sx $sy 10 "$PICK_SECONDS" || status=1
echo "=== idle"
"$BENCH" idle "$(make_app idle-off "$(settings 0)")" "automatic size off (AutoFlex=0)" 5 \
    "$IDLE_SECONDS" || status=1
# The first roll-up comes 10 s after the start; measured once the window is rolled up.
"$BENCH" idle "$(make_app idle-on "$(settings 1)")" "automatic size on (AutoFlex=1), rolled up" 12 \
    "$IDLE_SECONDS" --no-goal || status=1
if [ $status -eq 0 ]; then echo "resources: every goal met"; else echo "resources: a goal was missed"; fi
exit $status
