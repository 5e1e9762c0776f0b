#!/usr/bin/env bash
# Runs the real program as a user on a Linux desktop would: under a virtual display, on a
# session bus of the test's own where the desktop's calendar service runs, in a fresh home,
# with no VELMORA_STORE. Enter starts the run, Enter dismisses the success message; every
# entry of the first list must then be in the service's default calendar on its date of this
# year, all-day and with its category, and nothing in the local store. The session's services
# and the virtual display are ended by PID; none of them holds this script's output.
set -euo pipefail
build=$(cd "${1:?usage: $0 <build dir>}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
py=/usr/bin/python3  # the service's bindings belong to Debian's Python
for tool in xvfb-run xdotool dbus-daemon dbus-send "$py"; do
    command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
done

work=$(mktemp -d)
. "$here/../support/private-session.sh"
trap 'private_session_stop; rm -rf "$work"' EXIT
private_session_start running
mkdir -p "$work/program"
cp "$build/bin/namedays" "$build"/bin/*.so "$build"/bin/*.txt "$work/program/"
first=$(cd "$work/program" && ls -- *.txt | LC_ALL=C sort -f | head -n 1)
echo "first list: $first"
unset VELMORA_STORE QT_QPA_PLATFORM

# xvfb-run ends its display itself; the program is waited for and killed if it hangs.
timeout 120 xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -euo pipefail
    "$1" </dev/null & pid=$!
    trap "kill $pid 2>/dev/null || true" EXIT
    . "$2"
    press_enter_on "Create Name Days"
    press_enter_on "Outlook Velmora"
    timeout 60 tail --pid="$pid" -f /dev/null || { echo "program did not end"; exit 1; }
    status=0
    wait "$pid" || status=$?
    echo "program ended with status $status"
    exit "$status"
' _ "$work/program/namedays" "$here/window_keys.sh"

year=$(date +%Y)
"$py" "$here/desktop_events.py" >"$work/events.out"
"$py" "$here/expected_entries.py" "$work/program/$first" "$year" "$work/events.out"

store="$XDG_DATA_HOME/velmora/store"
written=$(find "$store" -name '*.ics' 2>/dev/null | wc -l)
[ "$written" -eq 0 ] || { echo "$written appointments went into the local store"; exit 1; }
echo "ok"
