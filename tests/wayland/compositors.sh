# Wayland sessions for the end-to-end tests: sway, GNOME Shell or KWin started headless inside
# the test, as root and with no display, each with Xwayland, a session bus of its own, PipeWire
# and the desktop portal. Sourced by test scripts.
#
#   wl_start KIND          KIND is sway, gnome or kwin. Starts the session and returns once all
#                          of it answers: the compositor, Xwayland (root's X clients may
#                          connect), the input device, the portal's Screenshot (granted without a
#                          dialog) and a first capture of the whole desktop; on KWin also a
#                          StatusNotifier watcher (kded5's). Returns 77 (and says why) when
#                          something it needs is not installed, 1 (and says why, with the end of
#                          the log that tells) when the session does not come up; either way
#                          nothing of it is left running (2: a wrong KIND or WL_OUTPUTS).
#   wl_stop                ends every process of the session (found by a mark in their
#                          environment, wherever they were started from), removes the X lock
#                          files its Xwayland left and its folder, and gives back the
#                          environment as it was before wl_start.
#   wl_pointer_to X Y      the pointer to desktop pixel (X, Y), exactly
#   wl_button press|release|click [left|right|middle]
#   wl_key KEY             presses and releases KEY, with its modifiers: Escape, Return, Tab,
#                          space, BackSpace, Delete, Home, End, Page_Up, Page_Down, Left, Right,
#                          Up, Down, F1..F12, a..z, 0..9, after any of shift+ ctrl+ alt+ super+
#   wl_capture FILE.png    an independent capture of the whole desktop (grim on sway, the
#                          portal on GNOME and KDE)
# Each returns non-zero (and says why) when the compositor does not do it.
#
# Input goes through each compositor's own means, never through X: wlroots' virtual pointer and
# keyboard on sway and KWin's fake input (huebird_wlfakeinput), Mutter's remote desktop on GNOME
# (huebird_wlbus). One such process lives for the whole session.
#
# Read by wl_start: WL_TOOLS, the folder with huebird_wlfakeinput and huebird_wlbus (the tests'
# build folder); WL_OUTPUTS (1 unless set, up to 4): that many outputs of 1280 x 1024, scale 1,
# side by side from (0, 0) to the right; WL_KEEP=1 keeps the session's folder (its logs, with
# steps.log: how long each step of the start took) after wl_stop and says where; WL_VERBOSE=1
# prints the steps as they come.
# Set by wl_start, for the test: WL_KIND, WL_DIR (the session's folder), WL_WIDTH and WL_HEIGHT
# (the desktop), WL_XDISPLAYS (the numbers of the X displays its Xwayland holds), WL_START_MS
# (how long the start took); by wl_stop: WL_STOP_MS. Exported for the programs under test:
# WAYLAND_DISPLAY, DISPLAY, XAUTHORITY (GNOME), XDG_RUNTIME_DIR, DBUS_SESSION_BUS_ADDRESS,
# XDG_SESSION_TYPE=wayland, XDG_CURRENT_DESKTOP (sway, GNOME or KDE), SWAYSOCK (sway), HOME and
# XDG_CONFIG_HOME, XDG_CACHE_HOME, XDG_DATA_HOME, XDG_STATE_HOME in the session's folder,
# XCURSOR_THEME and XCURSOR_PATH (an invisible pointer, so that none lands in a capture),
# GSETTINGS_BACKEND=keyfile (GNOME: the desktop's settings in a file of the session's own).

WL_KIND=
WL_DIR=
WL_WIDTH=
WL_HEIGHT=
WL_START_MS=
WL_STOP_MS=
_WL_PIDS=()
_WL_COMPOSITOR_PID=
_WL_INPUT_IN=
_WL_INPUT_OUT=
WL_XDISPLAYS=()
_WL_SAVED=()
_WL_T0=0
_WL_OUTPUTS=1
_WL_VARS=(WAYLAND_DISPLAY DISPLAY XAUTHORITY XDG_RUNTIME_DIR DBUS_SESSION_BUS_ADDRESS
    XDG_SESSION_TYPE XDG_CURRENT_DESKTOP SWAYSOCK HOME XDG_CONFIG_HOME XDG_CACHE_HOME
    XDG_DATA_HOME XDG_STATE_HOME XCURSOR_THEME XCURSOR_PATH XCURSOR_SIZE GSETTINGS_BACKEND
    HUEBIRD_WL_SESSION)

_wl_ms() { echo $(($(date +%s%N) / 1000000)); }

_wl_say() { echo "wl_start ${WL_KIND:-}: $*" >&2; }

# How long the start took to each step, in the session's log folder (and on stderr with
# WL_VERBOSE=1).
_wl_step() {
    local line
    line="$(($(_wl_ms) - _WL_T0)) ms: $*"
    echo "$line" >>"$WL_DIR/log/steps.log"
    [ -n "${WL_VERBOSE:-}" ] && echo "wl_start $WL_KIND: $line" >&2
    return 0
}

# _wl_need PATH_OR_COMMAND PACKAGE: true when it is there; else says which package is missing.
_wl_need() {
    if [[ $1 == /* ]]; then [ -e "$1" ] && return 0; else command -v "$1" >/dev/null && return 0; fi
    _wl_say "$1 is missing (install $2)"
    return 1
}

_wl_check_installed() {
    local ok=0 tools=${WL_TOOLS:-}
    _wl_need dbus-daemon dbus-daemon || ok=1
    _wl_need dbus-send dbus-bin || ok=1
    _wl_need pipewire pipewire || ok=1
    _wl_need Xwayland xwayland || ok=1
    _wl_need xprop x11-utils || ok=1
    _wl_need xhost x11-xserver-utils || ok=1
    _wl_need /usr/libexec/xdg-desktop-portal xdg-desktop-portal || ok=1
    case $WL_KIND in
        sway)
            _wl_need sway sway || ok=1
            _wl_need swaymsg sway || ok=1
            _wl_need setpriv util-linux || ok=1
            _wl_need grim grim || ok=1
            _wl_need /usr/share/dbus-1/services/org.freedesktop.impl.portal.desktop.wlr.service \
                xdg-desktop-portal-wlr || ok=1
            _wl_need /usr/share/dbus-1/services/org.freedesktop.impl.portal.desktop.gtk.service \
                xdg-desktop-portal-gtk || ok=1
            _wl_need "$tools/huebird_wlfakeinput" \
                "wayland-scanner, libwayland-dev and plasma-wayland-protocols, and build the tests" ||
                ok=1
            ;;
        gnome)
            _wl_need gnome-shell gnome-shell || ok=1
            _wl_need /usr/share/dbus-1/services/org.freedesktop.impl.portal.desktop.gnome.service \
                xdg-desktop-portal-gnome || ok=1
            _wl_need "$tools/huebird_wlbus" "the tests' build (huebird_wlbus)" || ok=1
            ;;
        kwin)
            _wl_need kwin_wayland kwin-wayland || ok=1
            _wl_need kded5 kded5 || ok=1
            _wl_need /usr/share/dbus-1/services/org.freedesktop.impl.portal.desktop.kde.service \
                xdg-desktop-portal-kde || ok=1
            [ -n "$(_wl_kded_watcher)" ] ||
                { _wl_say "kded5's statusnotifierwatcher module is missing (install plasma-workspace)"; ok=1; }
            _wl_need "$tools/huebird_wlfakeinput" \
                "wayland-scanner, libwayland-dev and plasma-wayland-protocols, and build the tests" ||
                ok=1
            _wl_need "$tools/huebird_wlbus" "the tests' build (huebird_wlbus)" || ok=1
            ;;
        *)
            echo "wl_start: KIND is sway, gnome or kwin, not '$WL_KIND'" >&2
            return 2
            ;;
    esac
    return $ok
}

_wl_kded_watcher() {
    ls /usr/lib/*/qt5/plugins/kf5/kded/statusnotifierwatcher.so 2>/dev/null | head -1
}

# _wl_spawn NAME COMMAND...: runs the command in the background, its output in the session's log
# folder.
_wl_spawn() {
    local name=$1
    shift
    "$@" >"$WL_DIR/log/$name.log" 2>&1 &
    _WL_PIDS+=($!)
}

# _wl_wait SECONDS WHAT COMMAND...: polls until the command succeeds; gives up (saying what was
# not ready) after the time, or as soon as the compositor has ended.
_wl_wait() {
    local seconds=$1 what=$2
    shift 2
    local until=$(($(_wl_ms) + seconds * 1000))
    while ! "$@" 2>/dev/null; do
        if [ -n "$_WL_COMPOSITOR_PID" ] && ! kill -0 "$_WL_COMPOSITOR_PID" 2>/dev/null; then
            _wl_say "the compositor ended while waiting for $what"
            _wl_show_log compositor
            return 1
        fi
        if [ "$(_wl_ms)" -ge "$until" ]; then
            _wl_say "$what: not ready within $seconds s"
            _wl_show_log compositor
            return 1
        fi
        sleep 0.05
    done
}

_wl_show_log() {
    [ -s "$WL_DIR/log/$1.log" ] || return 0
    echo "--- the end of $1.log:" >&2
    tail -n 15 "$WL_DIR/log/$1.log" | sed 's/^/    /' >&2
}

# Polls ask with a short reply timeout: a service that is still starting is asked again rather
# than waited for 25 s.
_wl_has_name() {
    dbus-send --session --print-reply --reply-timeout=2000 --dest=org.freedesktop.DBus \
        /org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner "string:$1" 2>/dev/null |
        grep -q 'boolean true'
}

_wl_has_interface() {  # DEST PATH INTERFACE
    dbus-send --session --print-reply --reply-timeout=2000 --dest="$1" "$2" \
        org.freedesktop.DBus.Introspectable.Introspect 2>/dev/null | grep -q "interface name=\"$3\""
}

# Starts a service through the bus and returns once it has its name (or the bus gave up).
_wl_start_service() {
    dbus-send --session --print-reply --reply-timeout=30000 --dest=org.freedesktop.DBus \
        /org/freedesktop/DBus org.freedesktop.DBus.StartServiceByName "string:$1" uint32:0 \
        >/dev/null 2>&1
}

# A bus of the session's own: the portals and their helpers are the only services it can start,
# so nothing else of the desktop (at-spi, evolution, ...) comes up with it.
_wl_bus() {  # NAME SERVICE...
    local name=$1 service
    shift
    mkdir -p "$WL_DIR/dbus/$name"
    for service in "$@"; do
        ln -s "/usr/share/dbus-1/services/$service.service" "$WL_DIR/dbus/$name/" 2>/dev/null
    done
    cat >"$WL_DIR/dbus/$name.conf" <<EOF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=$XDG_RUNTIME_DIR/$name</listen>
  <auth>EXTERNAL</auth>
  <servicedir>$WL_DIR/dbus/$name</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
EOF
    _wl_spawn "$name" dbus-daemon --nofork --config-file="$WL_DIR/dbus/$name.conf"
}

# An Xcursor theme whose every pointer is one transparent pixel: compositors that draw the pointer
# into the picture (sway's software pointer) draw nothing.
_wl_blank_cursors() {
    local dir=$WL_DIR/icons/blank/cursors name
    mkdir -p "$dir"
    printf '[Icon Theme]\nName=blank\n' >"$WL_DIR/icons/blank/index.theme"
    # File header, one table entry (an image of nominal size 24 at byte 28), the image: 1 x 1,
    # hot spot (0, 0), one ARGB pixel 0.
    printf 'Xcur\x10\x00\x00\x00\x00\x00\x01\x00\x01\x00\x00\x00\x02\x00\xfd\xff\x18\x00\x00\x00\x1c\x00\x00\x00\x24\x00\x00\x00\x02\x00\xfd\xff\x18\x00\x00\x00\x01\x00\x00\x00\x01\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00' \
        >"$dir/default"
    for name in left_ptr arrow top_left_arrow left_arrow text xterm ibeam pointer hand hand1 hand2 \
        pointing_hand crosshair cross tcross move fleur all-scroll grab grabbing openhand \
        closedhand dnd-move dnd-copy dnd-link dnd-none copy alias wait watch progress \
        left_ptr_watch half-busy not-allowed forbidden no-drop crossed_circle help \
        question_arrow whats_this context-menu cell col-resize row-resize split_h split_v \
        size_all size_hor size_ver size_bdiag size_fdiag sb_h_double_arrow sb_v_double_arrow \
        h_double_arrow v_double_arrow ew-resize ns-resize nesw-resize nwse-resize n-resize \
        s-resize e-resize w-resize ne-resize nw-resize se-resize sw-resize top_side bottom_side \
        left_side right_side top_left_corner top_right_corner bottom_left_corner \
        bottom_right_corner X_cursor pirate; do
        ln -s default "$dir/$name"
    done
}

# The environment the session changes, kept to be given back by wl_stop.
_wl_save_env() {
    local v
    _WL_SAVED=()
    for v in "${_WL_VARS[@]}"; do
        if [ -n "${!v+x}" ]; then _WL_SAVED+=("$v=${!v}"); fi
    done
}

_wl_restore_env() {
    local v
    for v in "${_WL_VARS[@]}"; do unset "$v"; done
    for v in "${_WL_SAVED[@]}"; do export "${v%%=*}=${v#*=}"; done
    _WL_SAVED=()
}

wl_start() {
    _WL_T0=$(_wl_ms)
    WL_KIND=${1:-}
    _wl_check_installed || { local rc=$?; [ $rc = 2 ] && return 2; return 77; }
    [ -z "$WL_DIR" ] || { _wl_say "a session runs already ($WL_DIR)"; return 1; }
    _WL_OUTPUTS=${WL_OUTPUTS:-1}
    [[ $_WL_OUTPUTS == [1-4] ]] || { _wl_say "WL_OUTPUTS is 1 to 4, not '$_WL_OUTPUTS'"; return 2; }

    _wl_save_env
    WL_DIR=$(mktemp -d /tmp/huebird-wl.XXXXXX)
    chmod 755 "$WL_DIR"  # sway, as nobody, reads its configuration and the cursors here
    mkdir -p "$WL_DIR/log" "$WL_DIR/home/Pictures" "$WL_DIR/config" "$WL_DIR/cache" \
        "$WL_DIR/data" "$WL_DIR/state" "$WL_DIR/run"
    chmod 700 "$WL_DIR/run"
    WL_WIDTH=$((1280 * _WL_OUTPUTS))
    WL_HEIGHT=1024
    # Everything started from here on carries the mark, so wl_stop finds it however it was
    # started (through the bus, by the compositor, detached).
    export HUEBIRD_WL_SESSION=$WL_DIR
    export HOME=$WL_DIR/home XDG_CONFIG_HOME=$WL_DIR/config XDG_CACHE_HOME=$WL_DIR/cache \
        XDG_DATA_HOME=$WL_DIR/data XDG_STATE_HOME=$WL_DIR/state XDG_RUNTIME_DIR=$WL_DIR/run
    export XDG_SESSION_TYPE=wayland
    _wl_blank_cursors
    export XCURSOR_PATH=$WL_DIR/icons XCURSOR_THEME=blank XCURSOR_SIZE=24
    unset DISPLAY WAYLAND_DISPLAY XAUTHORITY SWAYSOCK

    if "_wl_start_$WL_KIND"; then
        WL_START_MS=$(($(_wl_ms) - _WL_T0))
        return 0
    fi
    wl_stop
    return 1
}

# What every kind shares once its compositor runs: the portal answers with its Screenshot and a
# first capture has the desktop's size.
_wl_portal_ready() {  # BACKEND INTERFACE ...: the backends the portal is to use for this desktop
    dbus-update-activation-environment WAYLAND_DISPLAY DISPLAY XDG_CURRENT_DESKTOP \
        XDG_SESSION_TYPE ${XAUTHORITY:+XAUTHORITY} >/dev/null 2>&1
    # The backends are started (through the bus) and answer before the portal starts: a portal
    # started at once calls them while they start, and under load the backend for wlroots
    # sometimes never answers that first call, which leaves the portal stuck for 25 s.
    _wl_start_service org.freedesktop.impl.portal.PermissionStore
    _wl_wait 30 "the permission store" _wl_has_interface \
        org.freedesktop.impl.portal.PermissionStore /org/freedesktop/impl/portal/PermissionStore \
        org.freedesktop.impl.portal.PermissionStore || return 1
    while [ $# -ge 2 ]; do
        # One the desktop could do without (gtk's on GNOME) may be missing.
        if [ ! -e "/usr/share/dbus-1/services/org.freedesktop.impl.portal.desktop.$1.service" ]; then
            shift 2
            continue
        fi
        _wl_start_service "org.freedesktop.impl.portal.desktop.$1"
        _wl_wait 30 "the portal's backend $1" _wl_has_interface \
            "org.freedesktop.impl.portal.desktop.$1" /org/freedesktop/portal/desktop \
            "org.freedesktop.impl.portal.$2" || return 1
        shift 2
    done
    _wl_step "the portal's backends"
    _wl_wait 30 "the portal's Screenshot" _wl_has_interface org.freedesktop.portal.Desktop \
        /org/freedesktop/portal/desktop org.freedesktop.portal.Screenshot || return 1
    _wl_step "the portal's Screenshot"
    _wl_wait 30 "a first capture" _wl_first_capture || return 1
    _wl_step "a first capture"
}

_wl_first_capture() {
    local size
    wl_capture "$WL_DIR/first.png" 2>>"$WL_DIR/log/capture.log" || return 1
    # The PNG header's width and height.
    size=$(od -An -tu1 -j16 -N8 "$WL_DIR/first.png" |
        awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
    [ "$size" = "$WL_WIDTH $WL_HEIGHT" ] && return 0
    echo "a capture of $size, not $WL_WIDTH $WL_HEIGHT" >>"$WL_DIR/log/capture.log"
    return 1
}

# Xwayland's display, once the X window manager has taken it, open to root's X clients.
_wl_x_ready() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

# The X displays whose lock files name a process of the session (the compositor or its
# Xwayland; Mutter takes two displays), lowest first.
_wl_lock_displays() {
    local f pid
    for f in /tmp/.X*-lock; do
        pid=$(tr -dc 0-9 2>/dev/null <"$f")
        [ -n "$pid" ] && env -u HUEBIRD_WL_SESSION grep -qzxF -- "HUEBIRD_WL_SESSION=$WL_DIR" \
            "/proc/$pid/environ" 2>/dev/null || continue
        f=${f#/tmp/.X}
        echo "${f%-lock}"
    done | sort -n
}

_wl_has_lock_display() { [ -n "$(_wl_lock_displays)" ]; }

_wl_start_input() {  # COMMAND...: the session's input process, speaking over two pipes
    mkfifo "$WL_DIR/input.in" "$WL_DIR/input.out"
    "$@" <"$WL_DIR/input.in" >"$WL_DIR/input.out" 2>"$WL_DIR/log/input.log" &
    _WL_PIDS+=($!)
    # Opened for reading and writing, neither open waits for the other side.
    exec {_WL_INPUT_IN}<>"$WL_DIR/input.in" {_WL_INPUT_OUT}<>"$WL_DIR/input.out"
    local reply=
    read -r -t 30 -u "$_WL_INPUT_OUT" reply
    case $reply in
        ready*) return 0 ;;
    esac
    _wl_say "the input device did not start (${reply:-no answer})"
    _wl_show_log input
    return 1
}

_wl_start_sway() {
    export XDG_CURRENT_DESKTOP=sway
    local i run=$WL_DIR/sway-run
    # sway refuses to run as root: it runs as nobody, with a runtime folder of nobody's (root's
    # programs keep theirs: Qt will not use one that is not its user's). Its socket is linked
    # into theirs.
    mkdir -m 700 "$run"
    chown nobody:nogroup "$run"
    {
        echo 'xwayland enable'
        for i in $(seq 1 "$_WL_OUTPUTS"); do
            echo "output HEADLESS-$i mode 1280x1024 position $((1280 * (i - 1))) 0 scale 1"
        done
        echo 'seat * xcursor_theme blank 24'
        echo 'for_window [class="(?i)huebird"] floating enable'
        # Xwayland runs as nobody too: root's X clients are let in, and the display is told.
        echo "exec sh -c 'xhost +si:localuser:root && echo \"\$DISPLAY\" >\"\$XDG_RUNTIME_DIR/xdisplay\"'"
    } >"$WL_DIR/sway.conf"
    _wl_bus bus org.freedesktop.portal.Desktop org.freedesktop.impl.portal.desktop.wlr \
        org.freedesktop.impl.portal.desktop.gtk org.freedesktop.impl.portal.PermissionStore \
        ca.desrt.dconf
    export DBUS_SESSION_BUS_ADDRESS=unix:path=$XDG_RUNTIME_DIR/bus
    _wl_wait 10 "the session bus" test -S "$XDG_RUNTIME_DIR/bus" || return 1
    _wl_spawn pipewire pipewire
    _wl_spawn compositor env XDG_RUNTIME_DIR="$run" WLR_BACKENDS=headless \
        WLR_HEADLESS_OUTPUTS="$_WL_OUTPUTS" WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
        setpriv --reuid=nobody --regid=nogroup --clear-groups sway -c "$WL_DIR/sway.conf"
    _WL_COMPOSITOR_PID=$!
    _wl_wait 20 "sway's socket" _wl_sway_socket "$run" || return 1
    _wl_step "sway"
    _wl_wait 20 "Xwayland" test -s "$run/xdisplay" || return 1
    export DISPLAY
    DISPLAY=$(cat "$run/xdisplay")
    mapfile -t WL_XDISPLAYS < <(_wl_lock_displays)
    _wl_wait 20 "the X window manager" _wl_x_ready || return 1
    _wl_step "Xwayland ($DISPLAY)"
    _wl_start_input "$WL_TOOLS/huebird_wlfakeinput" --extent "$WL_WIDTH" "$WL_HEIGHT" || return 1
    _wl_step "the input device"
    _wl_wait 20 "the pipewire socket" test -S "$XDG_RUNTIME_DIR/pipewire-0" || return 1
    # wlr's backend captures; portal 1.16 offers Screenshot only with an Access backend (gtk's).
    _wl_portal_ready wlr Screenshot gtk Access
}

_wl_sway_socket() {  # SWAY_RUNTIME_DIR
    local s
    for s in "$1"/wayland-*; do
        [[ $s == *.lock ]] && continue
        [ -S "$s" ] || continue
        export SWAYSOCK WAYLAND_DISPLAY=${s##*/}
        SWAYSOCK=$(ls "$1"/sway-ipc.*.sock 2>/dev/null | head -1)
        [ -n "$SWAYSOCK" ] && swaymsg -t get_version >/dev/null || return 1
        ln -sf "$s" "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY"
        return
    done
    return 1
}

_wl_start_gnome() {
    export XDG_CURRENT_DESKTOP=GNOME
    local monitors=() i
    for i in $(seq 1 "$_WL_OUTPUTS"); do monitors+=(--virtual-monitor "1280x$WL_HEIGHT"); done
    # Named here, so that the bus hands it to the portals it starts.
    export WAYLAND_DISPLAY=wayland-1
    # The desktop's settings from a file of the session's own instead of dconf: no animations (the
    # overview GNOME Shell starts in closes at once), no hot corner that a pointer in the top
    # left corner would open it with, the invisible pointer, no notices over the windows.
    export GSETTINGS_BACKEND=keyfile
    mkdir -p "$XDG_CONFIG_HOME/glib-2.0/settings"
    printf '%s\n' '[org/gnome/desktop/interface]' 'enable-animations=false' \
        'enable-hot-corners=false' "cursor-theme='blank'" '[org/gnome/desktop/notifications]' \
        'show-banners=false' >"$XDG_CONFIG_HOME/glib-2.0/settings/keyfile"
    _wl_bus bus org.freedesktop.portal.Desktop org.freedesktop.impl.portal.desktop.gnome \
        org.freedesktop.impl.portal.desktop.gtk org.freedesktop.impl.portal.PermissionStore
    # GNOME Shell asks the system bus for seats, accounts, permissions and more: a bus of the
    # session's own, where nothing answers, keeps it from the machine's (or from waiting for one).
    _wl_bus system_bus
    export DBUS_SESSION_BUS_ADDRESS=unix:path=$XDG_RUNTIME_DIR/bus
    _wl_wait 10 "the session bus" test -S "$XDG_RUNTIME_DIR/bus" || return 1
    _wl_wait 10 "the system bus" test -S "$XDG_RUNTIME_DIR/system_bus" || return 1
    _wl_spawn pipewire pipewire
    _wl_spawn compositor env -u WAYLAND_DISPLAY \
        DBUS_SYSTEM_BUS_ADDRESS="unix:path=$XDG_RUNTIME_DIR/system_bus" \
        gnome-shell --wayland --headless "${monitors[@]}" \
        --wayland-display="$WAYLAND_DISPLAY"
    _WL_COMPOSITOR_PID=$!
    _wl_wait 30 "GNOME Shell" _wl_has_interface org.gnome.Shell /org/gnome/Shell org.gnome.Shell ||
        return 1
    _wl_step "GNOME Shell"
    # It opens the overview once it has started; then the overview is closed.
    _wl_wait 20 "the overview" _wl_gnome_overview true || return 1
    dbus-send --session --print-reply --dest=org.gnome.Shell /org/gnome/Shell \
        org.freedesktop.DBus.Properties.Set string:org.gnome.Shell string:OverviewActive \
        variant:boolean:false >/dev/null
    _wl_wait 10 "the overview to close" _wl_gnome_overview false || return 1
    _wl_step "the overview closed"
    # Xwayland starts when the first X client comes; the display's lock files are there before.
    _wl_wait 20 "Xwayland's display" _wl_has_lock_display || return 1
    mapfile -t WL_XDISPLAYS < <(_wl_lock_displays)
    export DISPLAY=:${WL_XDISPLAYS[0]} XAUTHORITY
    XAUTHORITY=$(ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.* 2>/dev/null | head -1)
    _wl_wait 20 "Xwayland" _wl_xhost_root || return 1
    _wl_wait 20 "the X window manager" _wl_x_ready || return 1
    _wl_step "Xwayland ($DISPLAY)"
    _wl_wait 20 "the pipewire socket" test -S "$XDG_RUNTIME_DIR/pipewire-0" || return 1
    _wl_start_input "$WL_TOOLS/huebird_wlbus" remote-desktop "$WL_WIDTH" "$WL_HEIGHT" || return 1
    # Mutter loses the first key of a remote desktop session, and a click right after its first
    # move now and then: a Shift and a move to the middle go first, to nobody.
    wl_key shift && wl_pointer_to $((WL_WIDTH / 2)) $((WL_HEIGHT / 2)) || return 1
    _wl_step "the input device"
    _wl_grant_screenshot || return 1
    _wl_portal_ready gnome Screenshot gtk Access
}

_wl_xhost_root() { xhost +si:localuser:root >/dev/null; }

_wl_gnome_overview() {  # true|false: whether the overview shows
    dbus-send --session --print-reply --dest=org.gnome.Shell /org/gnome/Shell \
        org.freedesktop.DBus.Properties.Get string:org.gnome.Shell string:OverviewActive |
        grep -q "boolean $1"
}

# The portal's backends for GNOME and KDE ask before a capture unless the permission store says
# yes for the program; unpackaged programs (ours and the tests') have the empty id.
_wl_grant_screenshot() {
    dbus-send --session --print-reply --dest=org.freedesktop.impl.portal.PermissionStore \
        /org/freedesktop/impl/portal/PermissionStore \
        org.freedesktop.impl.portal.PermissionStore.SetPermission string:screenshot \
        boolean:true string:screenshot string: array:string:yes >/dev/null ||
        { _wl_say "the permission store does not take the screenshot permission"; return 1; }
}

_wl_start_kwin() {
    export XDG_CURRENT_DESKTOP=KDE
    export WAYLAND_DISPLAY=wayland-1
    _wl_bus bus org.freedesktop.portal.Desktop org.freedesktop.impl.portal.desktop.kde \
        org.freedesktop.impl.portal.PermissionStore
    export DBUS_SESSION_BUS_ADDRESS=unix:path=$XDG_RUNTIME_DIR/bus
    _wl_wait 10 "the session bus" test -S "$XDG_RUNTIME_DIR/bus" || return 1
    _wl_spawn pipewire pipewire
    # The tray's watcher: kded5 with its statusnotifierwatcher module. kded5 first runs
    # kconf_update and waits up to 30 s for it; in a new home there is nothing to bring up to
    # date, and one step (krunnerhistory) never ends here: every step is marked done beforehand.
    local upd ids
    for upd in /usr/share/kconf_update/*.upd; do
        ids=$(sed -n 's/^Id=//p' "$upd" | paste -sd,)
        [ -n "$ids" ] && printf '[%s]\ndone=%s\n' "${upd##*/}" "$ids"
    done >"$XDG_CONFIG_HOME/kconf_updaterc"
    _wl_spawn kded5 env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen kded5
    # The installed kwin_wayland carries a file capability that exec refuses here; a plain copy
    # runs. Its permission checks are off for its fake input and its screenshots.
    mkdir -p "$WL_DIR/bin"
    cp "$(command -v kwin_wayland)" "$WL_DIR/bin/kwin_wayland"
    # KWin starts the command given once Xwayland runs: it tells the display.
    _wl_spawn compositor env -u WAYLAND_DISPLAY KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 \
        KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 "$WL_DIR/bin/kwin_wayland" --virtual --xwayland \
        --no-lockscreen --socket "$WAYLAND_DISPLAY" --width 1280 --height "$WL_HEIGHT" \
        --output-count "$_WL_OUTPUTS" \
        "sh -c 'echo \$DISPLAY >$XDG_RUNTIME_DIR/xdisplay'"
    _WL_COMPOSITOR_PID=$!
    _wl_wait 20 "KWin's socket" test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" || return 1
    _wl_step "KWin"
    _wl_wait 20 "Xwayland" test -s "$XDG_RUNTIME_DIR/xdisplay" || return 1
    export DISPLAY
    DISPLAY=$(cat "$XDG_RUNTIME_DIR/xdisplay")
    mapfile -t WL_XDISPLAYS < <(_wl_lock_displays)
    _wl_wait 20 "Xwayland" _wl_xhost_root || return 1
    _wl_wait 20 "the X window manager" _wl_x_ready || return 1
    _wl_step "Xwayland ($DISPLAY)"
    _wl_start_input "$WL_TOOLS/huebird_wlfakeinput" || return 1
    _wl_step "the input device"
    _wl_wait 20 "the pipewire socket" test -S "$XDG_RUNTIME_DIR/pipewire-0" || return 1
    _wl_grant_screenshot || return 1
    _wl_portal_ready kde Screenshot || return 1
    _wl_wait 60 "kded5" _wl_has_name org.kde.kded5 || { _wl_show_log kded5; return 1; }
    _wl_step "kded5"
    dbus-send --session --print-reply --dest=org.kde.kded5 /kded org.kde.kded5.loadModule \
        string:statusnotifierwatcher >/dev/null
    _wl_wait 60 "the StatusNotifier watcher" _wl_has_interface org.kde.StatusNotifierWatcher \
        /StatusNotifierWatcher org.kde.StatusNotifierWatcher || { _wl_show_log kded5; return 1; }
    _wl_step "the StatusNotifier watcher"
}

# True while the process runs (a zombie has ended).
_wl_alive() {
    local state
    state=$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null) || return 1
    [ -n "$state" ] && [ "${state%% *}" != Z ]
}

# The pids of every process that carries this session's mark (the search itself does not).
_wl_marked() {
    local f pid
    while read -r f; do
        pid=${f#/proc/}
        pid=${pid%/environ}
        [ "$pid" != $$ ] && [ "$pid" != "$BASHPID" ] && echo "$pid"
    done < <(env -u HUEBIRD_WL_SESSION grep -lzxF -- "HUEBIRD_WL_SESSION=$WL_DIR" \
        /proc/[0-9]*/environ 2>/dev/null)
}

wl_stop() {
    [ -n "$WL_DIR" ] || return 0
    local started pids pid i f n
    started=$(_wl_ms)
    [ -n "$_WL_INPUT_IN" ] && exec {_WL_INPUT_IN}>&-
    [ -n "$_WL_INPUT_OUT" ] && exec {_WL_INPUT_OUT}>&-
    _WL_INPUT_IN= _WL_INPUT_OUT=
    # The compositor first, so that its clients leaving cannot upset it; then the rest.
    [ -n "$_WL_COMPOSITOR_PID" ] && kill "$_WL_COMPOSITOR_PID" 2>/dev/null
    # Asked to end twice (the second time for what the first ones started meanwhile), then
    # made to.
    for i in $(seq 1 100); do
        pids=$(_wl_marked)
        [ -z "$pids" ] && break
        # shellcheck disable=SC2086
        case $i in
            1 | 20) kill $pids 2>/dev/null ;;
            6[0-9] | [7-9]?) kill -KILL $pids 2>/dev/null ;;
        esac
        sleep 0.05
    done
    [ -n "$pids" ] && echo "wl_stop: still running: $pids" >&2
    # Those started from here are reaped (until then they are zombies, which kill -0 finds).
    for pid in ${_WL_PIDS[@]+"${_WL_PIDS[@]}"}; do
        _wl_alive "$pid" || wait "$pid" 2>/dev/null
    done
    # The X lock files and sockets the compositor's Xwayland left (Mutter leaves them), once no
    # process holds them.
    for n in ${WL_XDISPLAYS[@]+"${WL_XDISPLAYS[@]}"}; do
        f=/tmp/.X$n-lock
        pid=$(tr -dc 0-9 2>/dev/null <"$f")
        [ -n "$pid" ] && _wl_alive "$pid" && continue
        rm -f "$f" "/tmp/.X11-unix/X$n"
    done
    if [ -n "${WL_KEEP:-}" ]; then
        echo "wl_stop: the session's folder is kept: $WL_DIR" >&2
    else
        rm -rf "$WL_DIR"
    fi
    _wl_restore_env
    WL_DIR= _WL_PIDS=() WL_XDISPLAYS=() _WL_COMPOSITOR_PID=
    WL_STOP_MS=$(($(_wl_ms) - started))
}

# _wl_input COMMAND: one command to the session's input process, once it is carried out.
_wl_input() {
    local reply=
    [ -n "$_WL_INPUT_IN" ] || { echo "wl: no session" >&2; return 1; }
    echo "$*" >&"$_WL_INPUT_IN"
    read -r -t 10 -u "$_WL_INPUT_OUT" reply
    [ "$reply" = ok ] && return 0
    echo "wl: '$*' was not carried out: ${reply:-no answer}" >&2
    return 1
}

wl_pointer_to() {
    local x=$1 y=$2 nx
    if [ "$x" -lt 0 ] || [ "$y" -lt 0 ] || [ "$x" -ge "$WL_WIDTH" ] || [ "$y" -ge "$WL_HEIGHT" ]; then
        echo "wl_pointer_to: ($x, $y) is outside the desktop" >&2
        return 1
    fi
    # Through the pixel beside it: Xwayland loses a button pressed right after the pointer
    # entered an X11 window (seen on sway); one move inside the window first, and the press lands.
    nx=$((x + 1 < WL_WIDTH ? x + 1 : x - 1))
    _wl_input "abs $nx $y" && _wl_input "abs $x $y"
}

wl_button() {
    local code
    case ${2:-left} in
        left) code=272 ;;
        right) code=273 ;;
        middle) code=274 ;;
        *) echo "wl_button: left, right or middle, not '$2'" >&2; return 2 ;;
    esac
    case $1 in
        press) _wl_input "button $code 1" ;;
        release) _wl_input "button $code 0" ;;
        click) _wl_input "button $code 1" && _wl_input "button $code 0" ;;
        *) echo "wl_button: press, release or click, not '$1'" >&2; return 2 ;;
    esac
}

# The Linux key code of a key name (US layout).
_wl_keycode() {
    local k=$1 row i
    case $k in
        Escape) echo 1 ;; BackSpace) echo 14 ;; Tab) echo 15 ;; Return) echo 28 ;;
        space) echo 57 ;; minus) echo 12 ;; equal) echo 13 ;;
        Home) echo 102 ;; Up) echo 103 ;; Page_Up) echo 104 ;; Left) echo 105 ;;
        Right) echo 106 ;; End) echo 107 ;; Down) echo 108 ;; Page_Down) echo 109 ;;
        Insert) echo 110 ;; Delete) echo 111 ;; F11) echo 87 ;; F12) echo 88 ;;
        F[1-9] | F10) echo $((58 + ${k#F})) ;;
        [1-9]) echo $((1 + k)) ;; 0) echo 11 ;;
        shift) echo 42 ;; ctrl | control) echo 29 ;; alt) echo 56 ;; super | logo) echo 125 ;;
        [a-zA-Z])
            k=${k,,}
            for row in "16 qwertyuiop" "30 asdfghjkl" "44 zxcvbnm"; do
                i=${row#* }
                i=${i%%"$k"*}
                [ "$i" != "${row#* }" ] && { echo $((${row%% *} + ${#i})); return 0; }
            done
            return 1
            ;;
        *) return 1 ;;
    esac
}

wl_key() {
    local names codes=() name code i
    IFS=+ read -r -a names <<<"$1"
    for i in "${!names[@]}"; do
        name=${names[$i]}
        # Modifiers are named in lower case; the last name is the key itself.
        [ "$i" -lt $((${#names[@]} - 1)) ] && name=${name,,}
        code=$(_wl_keycode "$name") || { echo "wl_key: no key '$name' in '$1'" >&2; return 2; }
        codes+=("$code")
    done
    for code in "${codes[@]}"; do _wl_input "key $code 1" || return 1; done
    for ((i = ${#codes[@]} - 1; i >= 0; i--)); do _wl_input "key ${codes[$i]} 0" || return 1; done
}

wl_capture() {
    local file=$1 try
    case $WL_KIND in
        sway) grim -t png "$file" ;;
        *)
            # KDE's portal now and then cancels a capture ("libpng read error"): it is asked
            # again.
            for try in 1 2 3; do
                "$WL_TOOLS/huebird_wlbus" screenshot "$file" && return 0
            done
            return 1
            ;;
    esac
}
