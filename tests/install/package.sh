#!/usr/bin/env bash
# The Debian package, end to end: cpack builds it in the build folder; its file list, desktop
# entry, AppStream metadata and manual page are checked; the unpacked tree is started from a
# folder of its own (an installed tree moved elsewhere); and, as root, the package is installed
# with apt-get, the installed program is started once in a fresh home folder, and the package is
# removed again, with anything its installation pulled in. lintian finds no error and no warning
# in it (pedantic ones included). Installing touches the machine's packages, so it happens only
# when asked for (HUEBIRD_INSTALL_TEST=1, as the test command and CI set it).
#   package.sh BUILD_DIR [XPROBE]
set -u
BUILD=$(cd "$1" && pwd)
PROBE=${2:-$BUILD/tests/huebird_xprobe}
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/../e2e/lib.sh"

WORK=$(mktemp -d /tmp/huebird-package.XXXXXX)
INSTALLED=
EXTRA_PACKAGES=
cleanup() {
    stop_all
    if [ -n "$INSTALLED" ]; then
        apt-get purge -y -qq huebird >/dev/null 2>&1 || dpkg -P huebird >/dev/null 2>&1
        # shellcheck disable=SC2086
        [ -n "$EXTRA_PACKAGES" ] && apt-get purge -y -qq $EXTRA_PACKAGES >/dev/null 2>&1
    fi
}
trap cleanup EXIT

# cpack reads the binaries with file and readelf for dpkg-shlibdeps.
for tool in cpack dpkg-deb dpkg-shlibdeps file readelf desktop-file-validate appstreamcli lintian Xvfb; do
    command -v "$tool" >/dev/null || { echo "FAIL $tool is not installed"; exit 1; }
done

# --- the package --------------------------------------------------------------------------------
rm -f "$BUILD"/huebird_*.deb
(cd "$BUILD" && cpack -G DEB) >"$WORK/cpack.log" 2>&1
check "cpack builds the package" test $? -eq 0 || cat "$WORK/cpack.log"
DEB=$(ls "$BUILD"/huebird_*.deb 2>/dev/null | head -n 1)
if [ -z "$DEB" ]; then
    cat "$WORK/cpack.log"
    finish
    exit 1
fi

ID=example.huebird.Huebird
CONTENTS=$(dpkg-deb -c "$DEB" | awk '{print $6}' | sed 's|^\./|/|')
# The private hot-key library, in the architecture's library folder.
LIBRARY=/usr/lib/$(gcc -print-multiarch)/huebird/libhuebirdhook.so
for f in /usr/bin/huebird "$LIBRARY" /usr/share/huebird/palora.ini \
    /usr/share/huebird/readme.htm /usr/share/huebird/skins/DEFAULT/skin.ini \
    /usr/share/huebird/skins/DEFAULT/backgrd.bmp /usr/share/applications/$ID.desktop \
    /usr/share/metainfo/$ID.metainfo.xml /usr/share/man/man1/huebird.1.gz \
    /usr/share/icons/hicolor/scalable/apps/$ID.svg /usr/share/doc/huebird/copyright \
    /usr/share/doc/huebird/changelog.gz; do
    check "package holds $f" grep -qx "$f" <<<"$CONTENTS"
done
for size in 16 22 24 32 48 64 128 256; do
    check "package holds the ${size}px icon" \
        grep -qx "/usr/share/icons/hicolor/${size}x$size/apps/$ID.png" <<<"$CONTENTS"
done
# Every stock skin file the build drew is in the package.
missing=0
while IFS= read -r f; do
    grep -qx "/usr/share/huebird/skins/$f" <<<"$CONTENTS" || { missing=1; echo "     missing: $f"; }
done < <(cd "$BUILD/tools/skingen/stock_skins" && find . -type f | sed 's|^\./||')
check "package holds every stock skin file" test $missing -eq 0

DEPENDS=$(dpkg-deb -f "$DEB" Depends)
for want in libc6 libqt6widgets6 libx11-6 qt6-qpa-plugins; do
    expect_contains "depends on $want" "$want" "$DEPENDS"
done
expect "section" graphics "$(dpkg-deb -f "$DEB" Section)"
expect_contains "homepage" "https://" "$(dpkg-deb -f "$DEB" Homepage)"
# lintian, pedantic: any error or warning fails (its informational notes are shown only).
lintian --pedantic -I "$DEB" 2>/dev/null >"$WORK/lintian.out"
grep -E '^[EW]: ' "$WORK/lintian.out" >"$WORK/lintian.bad"
check "lintian finds no error and no warning" test ! -s "$WORK/lintian.bad" ||
    sed 's/^/     /' "$WORK/lintian.bad"

# --- the installed files, unpacked -------------------------------------------------------------
ROOT=$WORK/root
dpkg-deb -x "$DEB" "$ROOT"
# quietly COMMAND...: runs the command, showing its words only when it fails.
quietly() { "$@" >"$WORK/quiet.out" 2>&1 || { cat "$WORK/quiet.out"; return 1; }; }
check "desktop entry is valid" \
    quietly desktop-file-validate "$ROOT/usr/share/applications/$ID.desktop"
check "AppStream metadata is valid" \
    quietly appstreamcli validate --no-net "$ROOT/usr/share/metainfo/$ID.metainfo.xml"
ENTRY=$(cat "$ROOT/usr/share/applications/$ID.desktop")
expect_contains "desktop entry starts the program" $'\nExec=huebird\n' "$ENTRY"
icon=$(sed -n 's/^Icon=//p' <<<"$ENTRY")
check "the desktop entry's icon is in the theme" \
    test -f "$ROOT/usr/share/icons/hicolor/48x48/apps/$icon.png"
MAN=$(zcat "$ROOT/usr/share/man/man1/huebird.1.gz" | sed 's/\\-/-/g')
for word in --help --version XDG_DATA_HOME "EXIT STATUS"; do
    expect_contains "manual page names $word" "$word" "$MAN"
done
if command -v man >/dev/null; then
    MANWIDTH=80 man --warnings -l "$ROOT/usr/share/man/man1/huebird.1.gz" >/dev/null 2>"$WORK/man.err"
    expect "manual page renders without warnings" "" "$(cat "$WORK/man.err")"
else
    echo "skip manual page rendering: man is not installed"
fi

# run_installed NAME PROGRAM LIBRARY: starts PROGRAM in a fresh home folder, checks that its
# window appears, that it made its folder from the stock and loaded the hot-key library from
# LIBRARY, and that closing it writes the settings into that folder.
run_installed() {
    local name=$1 program=$2 library=$3 home=$WORK/home-$1 wid='' pid
    mkdir -p "$home"
    mkdir -m 700 "$WORK/run-$1"
    env -u XDG_DATA_HOME HOME="$home" XDG_RUNTIME_DIR="$WORK/run-$1" "$program" \
        >"$WORK/$name.out" 2>&1 &
    pid=$!
    APP_PID=$pid  # stopped by lib.sh when the test ends early
    wid=$(wait_window)
    check "$name: the window appears" test -n "$wid" || { cat "$WORK/$name.out"; return; }
    local data=$home/.local/share/huebird
    check "$name: settings copied into the user's folder" test -f "$data/palora.ini"
    check "$name: skins copied into the user's folder" test -f "$data/skins/DEFAULT/skin.ini"
    check "$name: the hot-key library is loaded from $library" \
        grep -q " $library\$" "/proc/$pid/maps"
    # A value changed behind the program's back is replaced by its own at close.
    sed -i 's/^Color1=.*/Color1=ABCDEF/' "$data/palora.ini"
    "$PROBE" close "$wid"
    check "$name: closing ends the program" wait_exit "$pid"
    expect "$name: closing writes the settings there" 3A7BD5 \
        "$(ini_get "$data/palora.ini" System Color1)"
}

start_display

# An installed tree moved to another folder still finds its library and its stock.
run_installed relocated "$ROOT/usr/bin/huebird" "$ROOT$LIBRARY"

# A user's folder that cannot be made (a plain file stands where the home folder should be): one
# line on standard error and exit 1, before any window.
: >"$WORK/not-a-folder"
mkdir -m 700 "$WORK/run-blocked"
env -u XDG_DATA_HOME HOME="$WORK/not-a-folder" XDG_RUNTIME_DIR="$WORK/run-blocked" \
    timeout 10 "$ROOT/usr/bin/huebird" >"$WORK/blocked.out" 2>"$WORK/blocked.err"
expect "unusable home: exit 1" 1 $?
expect "unusable home: one line on standard error" 1 "$(wc -l <"$WORK/blocked.err")"
expect_contains "unusable home: the line names the folder" \
    "$WORK/not-a-folder/.local/share/huebird" "$(cat "$WORK/blocked.err")"

# --- installed with apt-get (root only) --------------------------------------------------------
if [ "${HUEBIRD_INSTALL_TEST:-}" != 1 ]; then
    echo "skipped: installing the package with apt-get happens only when asked (HUEBIRD_INSTALL_TEST=1)"
elif [ "$(id -u)" -ne 0 ]; then
    echo "skipped: needs root (installing the package with apt-get)"
elif dpkg-query -W -f='${Status}' huebird 2>/dev/null | grep -q "install ok installed"; then
    echo "skipped: huebird is already installed on this machine and is left as it is"
else
    before=$(dpkg-query -W -f='${Package}\n' | sort)
    INSTALLED=1
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -o DPkg::Lock::Timeout=120 "$DEB" \
        >"$WORK/apt.log" 2>&1
    check "apt-get installs the package" test $? -eq 0 || cat "$WORK/apt.log"
    EXTRA_PACKAGES=$(comm -13 <(echo "$before") <(dpkg-query -W -f='${Package}\n' | sort) |
        grep -vx huebird | tr '\n' ' ')
    [ -n "$EXTRA_PACKAGES" ] && echo "     pulled in (removed again afterwards): $EXTRA_PACKAGES"
    check "the program is on the path" test "$(command -v huebird)" = /usr/bin/huebird
    check "the desktop entry is in the menu folder" \
        quietly desktop-file-validate "/usr/share/applications/$ID.desktop"
    run_installed installed /usr/bin/huebird "$LIBRARY"
    stop_app
    apt-get purge -y -qq -o DPkg::Lock::Timeout=120 huebird >"$WORK/apt-remove.log" 2>&1
    check "apt-get removes the package" test $? -eq 0 || cat "$WORK/apt-remove.log"
    check "nothing of the package is left" test ! -e /usr/bin/huebird -a ! -e /usr/share/huebird
    if [ -n "$EXTRA_PACKAGES" ]; then
        # shellcheck disable=SC2086
        apt-get purge -y -qq -o DPkg::Lock::Timeout=120 $EXTRA_PACKAGES >/dev/null 2>&1
    fi
    INSTALLED=
fi

finish
