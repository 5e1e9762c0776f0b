#!/usr/bin/env bash
# The shell's private session: the calendar service answers on it, nothing it starts holds
# the caller's output open, and stopping it ends every process it started or found on its
# bus, on demand too.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
harness="$here/private-session.sh"
fail() { echo "FAIL: $*"; exit 1; }

# Everything the session starts must let go of the caller's output: if anything kept this
# pipe open, cat would wait until the timeout. The session is left running on purpose and
# ended by PID below.
started=$(timeout 60 bash -c '
    . "$1"
    private_session_start running >/dev/null
    echo "$PRIVATE_SESSION_ROOT $PRIVATE_SESSION_BUS_PID ${PRIVATE_SESSION_PIDS[*]}"
' _ "$harness" | cat) || fail "the session held the caller's output open"
read -r root bus services <<<"$started"
for pid in $services $bus; do kill "$pid" 2>/dev/null || true; done
for pid in $services $bus; do
    for _ in $(seq 300); do [ -e "/proc/$pid" ] && grep -qv ') Z' "/proc/$pid/stat" || break; sleep 0.01; done
done
rm -rf "$root"

. "$harness"
for mode in running on-demand; do
    private_session_start "$mode"
    trap private_session_stop EXIT
    case "$HOME" in "$PRIVATE_SESSION_ROOT"/*) ;; *) fail "HOME is not the session's: $HOME" ;; esac
    for name in "$PRIVATE_SESSION_REGISTRY" "$PRIVATE_SESSION_CALENDAR"; do
        dbus-send --session --print-reply --dest="$name" / org.freedesktop.DBus.Peer.Ping \
            >/dev/null || fail "$mode: $name does not answer"
        owner=$(private_session_owner "$name")
        [ -n "$owner" ] || fail "$mode: nobody owns $name"
        [ "$(readlink "/proc/$owner/fd/1")" != "$(readlink /proc/$$/fd/1)" ] ||
            fail "$mode: $name writes to the caller's output"
    done
    mapfile -t seen < <(private_session_processes)
    [ ${#seen[@]} -ge 2 ] || fail "$mode: the bus names fewer than two services"
    root=$PRIVATE_SESSION_ROOT
    private_session_stop
    trap - EXIT
    for pid in "${seen[@]}" "${PRIVATE_SESSION_ENDED[-1]}"; do
        ! private_session_alive "$pid" || fail "$mode: process $pid outlived the session"
    done
    [ ! -e "$root" ] || fail "$mode: $root is still there"
    echo "$mode: ended ${PRIVATE_SESSION_ENDED[*]}"
done
echo "ok"
