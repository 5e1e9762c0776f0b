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
