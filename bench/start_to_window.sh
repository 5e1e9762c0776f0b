#!/usr/bin/env bash
# Time from starting the real program to its window being viewable, under a virtual display,
# with the shipped lists and a store of its own. Prints each run and the median.
set -euo pipefail
build=$(cd "${1:?usage: $0 <build dir>}" && pwd)
for tool in xvfb-run xwininfo; do
    command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/program" "$work/home" "$work/store"
cp "$build/bin/namedays" "$build"/bin/*.txt "$work/program/"
export HOME="$work/home" VELMORA_STORE="$work/store"
unset QT_QPA_PLATFORM

timeout 120 xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -euo pipefail
    viewable() {
        xwininfo -name "Create Name Days" 2>/dev/null | grep -q "Map State: IsViewable"
    }
    times=()
    for run in 1 2 3 4 5; do
        start=$(date +%s%N)
        "$1" 2>/dev/null & pid=$!
        until viewable; do :; done
        end=$(date +%s%N)
        kill "$pid"; wait "$pid" 2>/dev/null || true
        times+=($(( (end - start) / 1000000 )))
        echo "run $run: ${times[-1]} ms"
    done
    sorted=($(printf "%s\n" "${times[@]}" | sort -n))
    echo "start to window shown, median of 5: ${sorted[2]} ms"
' _ "$work/program/namedays"
