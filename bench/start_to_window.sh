#!/usr/bin/env bash
# Time from starting the real program to its window being mapped, under a virtual display,
# with the shipped lists: first with a store of its own (VELMORA_STORE), then without it on a
# private session bus where the desktop's calendar service already runs, so that the program
# attaches to it. Beside each, in the same conditions, a bare Qt window of the main window's
# size (bench/bare_window.cpp) is timed the same way. Prints each run, the medians and, for
# each of the two, the ratio of the program's median to the bare window's.
set -euo pipefail
build=$(cd "${1:?usage: $0 <build dir>}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
for tool in xvfb-run xev stdbuf; do
    command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
done
work=$(mktemp -d)
. "$here/../tests/support/private-session.sh"
trap 'private_session_stop; rm -rf "$work"' EXIT
bare="$build/bench/bare_window"
[ -x "$bare" ] || { echo "missing $bare: build the target benchmarks"; exit 1; }
mkdir -p "$work/program" "$work/home" "$work/store"
cp "$build/bin/namedays" "$build"/bin/*.txt "$work/program/"
# Modules the program loads on demand stand beside it.
for module in "$build"/bin/*.so; do
    if [ -e "$module" ]; then cp "$module" "$work/program/"; fi
done
export HOME="$work/home"
unset QT_QPA_PLATFORM

# One watcher on one X connection hears the window being mapped; polling with a new
# connection each time can crowd out the program's own connection at start.
measure() {  # program, what it writes into (for the summary line)
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
    ' _ "$1" "$2"
}

# The median of the last measure, from its summary line.
median() {
    sed -n 's/^start to window shown, .*, median of 5: \([0-9]*\) ms$/\1/p' "$work/out" | tail -n 1
}

# The program, then the bare window, in the same conditions; then the ratio of the medians.
measure_both() {  # what the program writes into
    measure "$work/program/namedays" "$1" | tee "$work/out"
    local program
    program=$(median)
    measure "$bare" "a bare window beside $1" | tee "$work/out"
    local floor
    floor=$(median)
    awk -v p="$program" -v b="$floor" -v what="$1" \
        'BEGIN { printf "%s: ratio to a bare window: %.2f\n", what, (b > 0 ? p / b : 0) }'
}

VELMORA_STORE="$work/store" measure_both "the store"
private_session_start running
unset VELMORA_STORE
measure_both "the desktop's calendar service running"
