#!/usr/bin/env bash
# Time from starting the real program to its window being mapped, under a virtual display,
# with the shipped lists: first with a store of its own (VELMORA_STORE), then without it on a
# private session bus where the desktop's calendar service already runs, so that the program
# attaches to it. Prints each run and the medians.
set -euo pipefail
build=$(cd "${1:?usage: $0 <build dir>}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
for tool in xvfb-run xev stdbuf; do
    command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
done
work=$(mktemp -d)
. "$here/../tests/support/private-session.sh"
trap 'private_session_stop; rm -rf "$work"' EXIT
mkdir -p "$work/program" "$work/home" "$work/store"
cp "$build/bin/namedays" "$build"/bin/*.so "$build"/bin/*.txt "$work/program/"
export HOME="$work/home"
unset QT_QPA_PLATFORM

# One watcher on one X connection hears the window being mapped; polling with a new
# connection each time can crowd out the program's own connection at start.
measure() {  # what the program writes into, for the summary line
    timeout 120 xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
        set -euo pipefail
        coproc WATCH { stdbuf -oL xev -root -event substructure 2>/dev/null; }
        sleep 0.5  # lets the watcher connect before the first start
        times=()
        for run in 1 2 3 4 5; do
            start=$(date +%s%N)
            "$1" 2>/dev/null & pid=$!
            mapped=no
            while read -r -t 10 line <&"${WATCH[0]}"; do
                [[ $line == MapNotify* ]] && { mapped=yes; break; }
            done
            end=$(date +%s%N)
            kill -0 "$pid" 2>/dev/null || { echo "the program ended before its window showed"; exit 1; }
            [ "$mapped" = yes ] || { echo "no window within 10 s"; exit 1; }
            kill "$pid"; wait "$pid" 2>/dev/null || true
            times+=($(( (end - start) / 1000000 )))
            echo "run $run: ${times[-1]} ms"
        done
        kill "$WATCH_PID"
        sorted=($(printf "%s\n" "${times[@]}" | sort -n))
        echo "start to window shown, $2, median of 5: ${sorted[2]} ms"
    ' _ "$work/program/namedays" "$1"
}

VELMORA_STORE="$work/store" measure "the store"
private_session_start running
unset VELMORA_STORE
measure "the desktop's calendar service running"
