# A desktop session of the caller's own, for scripts that run the real program or time it
# against the desktop's calendar service: the shell counterpart of PrivateSession.{h,cpp}.
# Source it, then:
#
#   private_session_start [running|none|on-demand]   (default: running)
#   trap private_session_stop EXIT
#   ... run the program: HOME, XDG_*, DBUS_SESSION_BUS_ADDRESS point at the session ...
#   private_session_stop
#
# The session is a session bus that reads no system service files, a temporary HOME with its
# XDG folders, settings in memory, and (running) the source registry and the calendar factory
# started here, or (on-demand) left for the bus to start. private_session_stop ends every
# process it started and every other process on its bus, by PID, then the bus, and removes
# the folders. Services write to log files in the session's folder and keep none of the
# caller's descriptors, so nothing left behind can hold a caller's output open.

PRIVATE_SESSION_REGISTRY=org.gnome.evolution.dataserver.Sources5
PRIVATE_SESSION_CALENDAR=org.gnome.evolution.dataserver.Calendar8

_private_session_bus() {  # method [argument]: the bus's reply, or nothing
    dbus-send --session --print-reply=literal --reply-timeout=5000 --dest=org.freedesktop.DBus \
        /org/freedesktop/DBus "org.freedesktop.DBus.$1" ${2:+"string:$2"} 2>/dev/null
}

private_session_alive() {  # pid: running and not a zombie
    local state
    state=$(sed -n 's/.*) \(.\).*/\1/p' "/proc/$1/stat" 2>/dev/null) || return 1
    [ -n "$state" ] && [ "$state" != Z ] && [ "$state" != X ]
}

private_session_owner() {  # bus name: the PID of its owner, or nothing
    local owner
    owner=$(_private_session_bus GetNameOwner "$1") || return 0
    _private_session_bus GetConnectionUnixProcessID "${owner// /}" | awk '{print $2}' || true
}

# Starts a program with stdin from /dev/null, output into a log, and no other descriptor.
# Should the calling shell die, the program is told to end too (and what the bus started
# ends with its bus).
_private_session_spawn() {  # log program [arguments...]; sets PRIVATE_SESSION_LAST_PID
    local log=$1
    shift
    (
        for fd in /proc/$BASHPID/fd/*; do
            fd=${fd##*/}
            [ "$fd" -gt 2 ] 2>/dev/null && eval "exec $fd>&-"
        done 2>/dev/null
        exec setpriv --pdeathsig TERM -- "$@" </dev/null >>"$log" 2>&1
    ) &
    PRIVATE_SESSION_LAST_PID=$!
}

_private_session_wait_for() {  # bus name, pid of its starter
    local tries=0
    until [ "$(_private_session_bus NameHasOwner "$1" | awk '{print $2}' || true)" = true ]; do
        if ! private_session_alive "$2" || [ $((tries += 1)) -gt 1000 ]; then
            echo "private session: $1 did not come up; logs in $PRIVATE_SESSION_ROOT" >&2
            return 1
        fi
        sleep 0.01
    done
}

private_session_start() {
    local services=${1:-running}
    local root
    root=$(mktemp -d /tmp/namedays-session-XXXXXX) || return 1
    PRIVATE_SESSION_ROOT=$root
    PRIVATE_SESSION_PIDS=()
    mkdir -p "$root/home/.config" "$root/home/.local/share" "$root/home/.local/state" \
        "$root/home/.cache" "$root/run" "$root/services"
    chmod 700 "$root/run"
    local servicedir=""
    if [ "$services" = on-demand ]; then
        servicedir="<servicedir>$root/services</servicedir>"
        printf '[D-BUS Service]\nName=%s\nExec=%s\n' "$PRIVATE_SESSION_REGISTRY" \
            /usr/libexec/evolution-source-registry >"$root/services/registry.service"
        printf '[D-BUS Service]\nName=%s\nExec=%s\n' "$PRIVATE_SESSION_CALENDAR" \
            "/usr/libexec/evolution-calendar-factory --keep-running" >"$root/services/calendar.service"
    fi
    cat >"$root/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=$root/bus</listen>
  <auth>EXTERNAL</auth>
  $servicedir
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
    export HOME="$root/home" XDG_CONFIG_HOME="$root/home/.config"
    export XDG_DATA_HOME="$root/home/.local/share" XDG_STATE_HOME="$root/home/.local/state"
    export XDG_CACHE_HOME="$root/home/.cache" XDG_RUNTIME_DIR="$root/run"
    export GSETTINGS_BACKEND=memory GIO_USE_VFS=local
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$root/bus"

    _private_session_spawn "$root/bus.log" dbus-daemon --config-file="$root/bus.conf" \
        --nofork --nopidfile
    PRIVATE_SESSION_BUS_PID=$PRIVATE_SESSION_LAST_PID
    local tries=0
    until [ -S "$root/bus" ] && _private_session_bus GetId >/dev/null; do
        if ! private_session_alive "$PRIVATE_SESSION_BUS_PID" || [ $((tries += 1)) -gt 1000 ]; then
            echo "private session: the bus did not start: $(cat "$root/bus.log")" >&2
            return 1
        fi
        sleep 0.01
    done
    [ "$services" = running ] || return 0
    _private_session_spawn "$root/registry.log" /usr/libexec/evolution-source-registry
    PRIVATE_SESSION_PIDS+=("$PRIVATE_SESSION_LAST_PID")
    _private_session_wait_for "$PRIVATE_SESSION_REGISTRY" "$PRIVATE_SESSION_LAST_PID" || return 1
    _private_session_spawn "$root/calendar.log" /usr/libexec/evolution-calendar-factory \
        --keep-running
    PRIVATE_SESSION_PIDS+=("$PRIVATE_SESSION_LAST_PID")
    _private_session_wait_for "$PRIVATE_SESSION_CALENDAR" "$PRIVATE_SESSION_LAST_PID"
}

# Every process private_session_stop ends before the bus: those started here and every other
# process on the bus but this shell.
private_session_processes() {
    local name pid
    local pids=("${PRIVATE_SESSION_PIDS[@]}")
    for name in $(_private_session_bus ListNames | tr -d '[],' | tr ' ' '\n' | grep '^:'); do
        # The connection of an earlier dbus-send is gone by now; it has no PID to give.
        pid=$(_private_session_bus GetConnectionUnixProcessID "$name" | awk '{print $2}') || true
        if [ -n "$pid" ] && [ "$pid" != $$ ] && [ "$pid" != "$PRIVATE_SESSION_BUS_PID" ] &&
            private_session_alive "$pid"; then
            pids+=("$pid")
        fi
    done
    printf '%s\n' "${pids[@]}" | sort -un
}

_private_session_end() {  # pids...: TERM, then KILL what is left after three seconds
    local pid tries=0 left
    kill -TERM "$@" 2>/dev/null || true
    while :; do
        left=()
        for pid in "$@"; do
            if private_session_alive "$pid"; then left+=("$pid"); fi
        done
        [ ${#left[@]} -eq 0 ] && break
        if [ $((tries += 1)) -gt 300 ]; then
            kill -KILL "${left[@]}" 2>/dev/null || true
            sleep 0.1
            break
        fi
        sleep 0.01
    done
    for pid in "$@"; do wait "$pid" 2>/dev/null || true; done
}

private_session_stop() {
    [ -n "${PRIVATE_SESSION_ROOT:-}" ] || return 0
    local pids
    mapfile -t pids < <(private_session_processes)
    if [ ${#pids[@]} -gt 0 ]; then _private_session_end "${pids[@]}"; fi
    if [ -n "${PRIVATE_SESSION_BUS_PID:-}" ]; then _private_session_end "$PRIVATE_SESSION_BUS_PID"; fi
    PRIVATE_SESSION_ENDED=("${pids[@]}" ${PRIVATE_SESSION_BUS_PID:-})
    rm -rf "$PRIVATE_SESSION_ROOT"
    unset PRIVATE_SESSION_ROOT PRIVATE_SESSION_BUS_PID
    PRIVATE_SESSION_PIDS=()
}
