#!/usr/bin/env bash
# End to end: one instance per user and display, whatever the environment, and no other user
# can keep the program from starting. The program runs as a user id of the test's own (no
# account, so what it finds in /tmp was made here); the other user is nobody. Needs root.
#   lock.sh APP_DIR XPROBE
set -u
export LANG=C.UTF-8 LC_ALL= LANGUAGE=zh_CN
APP=$(cd "$1" && pwd)
PROBE=$2
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"

if [ "$(id -u)" -ne 0 ]; then
    echo "skipped: the lock tests need root (they run the program as a user of their own and make files as another user)"
    exit 0
fi

TU=
for _ in $(seq 1 50); do
    u=$((61000 + RANDOM % 4000))
    getent passwd "$u" >/dev/null || [ -e "/tmp/huebird-$u" ] ||
        compgen -G "/tmp/RunOnlyOneTintel-$u-*" >/dev/null || { TU=$u; break; }
done
[ -n "$TU" ] || { echo "no free user id for the test" >&2; exit 1; }

HELD=()
clear_tmp() {
    local p
    for p in "${HELD[@]}"; do kill "$p" 2>/dev/null; wait "$p" 2>/dev/null; done
    HELD=()
    rm -rf "/tmp/huebird-$TU" /tmp/RunOnlyOneTintel-"$TU"-display_* "${NOBODYS:-/nonexistent}"
    # The toolkit's own runtime folder for a user without a name.
    [ "$(stat -c %u /tmp/runtime- 2>/dev/null)" = "$TU" ] && rm -rf /tmp/runtime-
    return 0
}
start_display
trap 'stop_app; clear_tmp; stop_all' EXIT
WORK=$(mktemp -d /tmp/huebird-lock.XXXXXX)
chmod 755 "$WORK"
mkdir -p "$WORK/home" "$WORK/runtime"
chown "$TU:$TU" "$WORK/home" "$WORK/runtime"
chmod 700 "$WORK/runtime"
N=${DISPLAY#:}
OLD=/tmp/RunOnlyOneTintel-$TU-display_$N.lock
NEW=/tmp/huebird-$TU
nobody() { setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"; }

app=$(make_app app "[System]
Left=300
Top=200
AutoFlex=0")
chown -R "$TU:$TU" "$app"

# start_user NAME [RUNTIME]: the program as the test user, $XDG_RUNTIME_DIR set to RUNTIME or
# unset; its error output goes to $WORK/NAME.err.
start_user() {
    local env=(env -u XDG_RUNTIME_DIR HOME="$WORK/home")
    [ -n "${2:-}" ] && env+=(XDG_RUNTIME_DIR="$2")
    setpriv --reuid="$TU" --regid="$TU" --clear-groups "${env[@]}" "$app/huebird" \
        >"$WORK/$1.out" 2>"$WORK/$1.err" &
    APP_PID=$!
}
# outcome [SHOWN]: follows the started program until a window of its own is mapped (more
# than the SHOWN already there) or it ends (5 s at most); sets OUTCOME to "window",
# "exit CODE" or "nothing".
outcome() {
    local i
    OUTCOME=nothing
    for i in $(seq 1 100); do
        [ "$(count_windows)" -gt "${1:-0}" ] && { OUTCOME=window; return; }
        if ! kill -0 "$APP_PID" 2>/dev/null; then
            wait "$APP_PID"
            OUTCOME="exit $?"
            APP_PID=
            return
        fi
        sleep 0.05
    done
}
# hold FILE: nobody holds an flock on the file, until the case is cleared.
hold() {
    nobody bash -c 'exec 9<>"$1" && flock 9 && exec sleep 600' _ "$1" >/dev/null 2>&1 &
    HELD+=($!)
    wait_for 3 bash -c "! flock -n '$1' true"
}

# --- another user's files where the lock is, or once was: the program starts, or says why ---
# Each case makes its files as nobody; "window" means the program must start, "refused" that
# it must say why in one line naming the place and end with a code other than 0.
hostile() {
    case $1 in
        old-file) nobody touch "$OLD" ;;
        old-link) nobody ln -s /tmp/huebird-elsewhere "$OLD" ;;
        old-held) nobody touch "$OLD" && chmod 666 "$OLD" && hold "$OLD" ;;
        new-folder) nobody mkdir "$NEW" ;;
        new-open-held) nobody mkdir -m 777 "$NEW" &&
            nobody touch "$NEW/RunOnlyOneTintel-display_$N.lock" &&
            hold "$NEW/RunOnlyOneTintel-display_$N.lock" ;;
        new-link) NOBODYS=$(nobody mktemp -d /tmp/huebird-nobody.XXXXXX) &&
            nobody ln -s "$NOBODYS" "$NEW" ;;
        new-file) nobody touch "$NEW" ;;
        ours-open) mkdir -m 777 "$NEW" && chown "$TU:$TU" "$NEW" && chmod 777 "$NEW" ;;
    esac
}
while read -r name want; do
    hostile "$name" || fail "$name: the other user's files are made"
    start_user "$name"
    outcome
    if [ "$want" = window ]; then
        expect "$name: the program starts" window "$OUTCOME"
    else
        check "$name: the program ends with a code other than 0 ($OUTCOME)" \
            bash -c "[ '${OUTCOME%% *}' = exit ] && [ '${OUTCOME#exit }' != 0 ]"
        err=$(cat "$WORK/$name.err")
        expect "$name: it says why in one line" 1 "$(printf '%s\n' "$err" | grep -c .)"
        expect_contains "$name: naming the place" "$NEW" "$err"
    fi
    [ "$name" = ours-open ] && expect "$name: the folder is closed to others" 700 "$(stat -c %a "$NEW")"
    stop_app
    clear_tmp
done <<'CASES'
old-file window
old-link window
old-held window
new-folder refused
new-open-held refused
new-link refused
new-file refused
ours-open window
CASES

# --- one display, one instance: starts with and without $XDG_RUNTIME_DIR meet -----------------
for order in "runtime none" "none runtime"; do
    read -r a b <<<"$order"
    ra= rb=
    [ "$a" = runtime ] && ra=$WORK/runtime
    [ "$b" = runtime ] && rb=$WORK/runtime
    start_user "first-$a" "$ra"
    first=$APP_PID
    outcome
    expect "first start ($a): the window appears" window "$OUTCOME"
    start_user "second-$b" "$rb"
    outcome 1
    expect "second start ($b) after one with $a: leaves with 0" "exit 0" "$OUTCOME"
    expect "second start ($b): says nothing" "" "$(cat "$WORK/second-$b.err")"
    expect "second start ($b): still one window" 1 "$(count_windows)"
    stop_app
    APP_PID=$first
    stop_app
    clear_tmp
done

finish
