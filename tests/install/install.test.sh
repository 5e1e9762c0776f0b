#!/usr/bin/env bash
# Installs the built program as a user would, into a home of its own: checks what lands
# where, starts the installed program from its desktop entry under a virtual display and
# reads its tabs, installs again over lists the user edited or added and over a newer
# release, and uninstalls, which has to leave the user's lists.
set -euo pipefail
build=$(cd "${1:?usage: $0 <build dir>}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/../.." && pwd)
# The accessibility bindings belong to Debian's Python, whatever python3 is first on PATH.
py=/usr/bin/python3
for tool in xvfb-run xdotool xprop dbus-run-session desktop-file-validate setsid readelf; do
    command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
done

work=$(mktemp -d)
session_file="$work/session"
# Everything the window check starts runs in one session; whatever of it is left is ended.
cleanup() {
    if [ -s "$session_file" ]; then
        for pid in $(ps -o pid= -s "$(cat "$session_file")"); do kill "$pid" 2>/dev/null || true; done
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

export HOME="$work/home dir"
export XDG_DATA_HOME="$HOME/.local/share" XDG_CONFIG_HOME="$HOME/.config"
export XDG_CACHE_HOME="$HOME/.cache" XDG_RUNTIME_DIR="$work/runtime"
export VELMORA_STORE="$work/store"
unset PREFIX QT_QPA_PLATFORM
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
prefix="$HOME/.local"
program_dir="$prefix/share/namedays"
entry="$prefix/share/applications/namedays.desktop"

failures=0
check() {
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
same_file() { cmp -s -- "$1" "$2"; }
no_file() { [ ! -e "$1" ] && [ ! -L "$1" ]; }
# The list files of a folder, one name a line, sorted.
lists_in() { (cd "$1" && for f in *txt; do [ -f "$f" ] && echo "$f"; done | LC_ALL=C sort); }
shipped_lists() { lists_in "$src/data/lists"; }

no_build_tree_paths() {
    local needs
    needs=$(readelf -d "$1" | grep -E 'R(UN)?PATH' || true)$(ldd "$1")
    ! grep -qF "$build" <<<"$needs" && ! grep -q "not found" <<<"$needs"
}

entry_valid() {
    local out
    if ! out=$(desktop-file-validate "$1" 2>&1) || [ -n "$out" ]; then
        echo "$out"
        return 1
    fi
}

# The command line of the desktop entry runs the installed program.
entry_runs_launcher() {
    local args
    mapfile -t args < <("$py" "$here/desktop_entry.py" exec "$entry")
    [ ${#args[@]} -eq 1 ] && [ "${args[0]}" -ef "$program_dir/namedays" ]
}

icon_is_svg() {
    "$py" -c 'import sys, xml.etree.ElementTree as t
sys.exit(t.parse(sys.argv[1]).getroot().tag != "{http://www.w3.org/2000/svg}svg")' "$1"
}

# Starts the program from its desktop entry under a virtual display and a private session
# bus, writes the captions of its tabs to $1 and its window class to $2, and ends it.
read_window() {
    local command
    mapfile -t command < <("$py" "$here/desktop_entry.py" exec "$entry")
    cat >"$work/session.sh" <<'SESSION'
echo $$ >"$1"
shift
# Its own first display number, so that it does not race other tests for the same one.
exec xvfb-run -a -n $((100 + RANDOM % 400)) -s "-screen 0 1024x768x24" dbus-run-session -- bash "$@"
SESSION
    cat >"$work/display.sh" <<'DISPLAY'
set -euo pipefail
py=$1 helper=$2 tabs=$3 class=$4
shift 4
"$@" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true' EXIT
id=$(timeout 30 xdotool search --sync --onlyvisible --name '^Create Name Days$' | head -n 1)
[ -n "$id" ] || { echo "no window"; exit 1; }
xprop -id "$id" WM_CLASS >"$class"
"$py" "$helper" tabs "Create Name Days" >"$tabs"
DISPLAY
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 timeout 120 setsid bash "$work/session.sh" "$session_file" \
        "$work/display.sh" "$py" "$here/desktop_entry.py" "$1" "$2" "${command[@]}" \
        >"$work/window.log" 2>&1 || { cat "$work/window.log"; return 1; }
}

# A copy of the source tree's installable parts, to stand for another release.
release_tree() {
    local tree=$1
    mkdir -p "$tree/scripts" "$tree/data"
    cp "$src/scripts/install" "$tree/scripts/"
    cp -r "$src/data/lists" "$src/data/icons" "$tree/data/"
    cp "$src/NOTICE" "$tree/"
}

echo "== first install"
PREFIX="$prefix" "$src/scripts/install" "$build" >"$work/install1.out"
cat "$work/install1.out"
check "program in the program folder" test -x "$program_dir/namedays"
check "program does not lean on the build tree" no_build_tree_paths "$program_dir/namedays"
check "calendar module beside the program" test -f "$program_dir/namedays-desktopcal.so"
check "calendar module does not lean on the build tree" no_build_tree_paths "$program_dir/namedays-desktopcal.so"
check "shipped lists beside the program, nothing else" \
    [ "$(lists_in "$program_dir")" = "$(shipped_lists)" ]
while IFS= read -r list; do
    check "$list as shipped" same_file "$src/data/lists/$list" "$program_dir/$list"
done < <(shipped_lists)
check "launcher runs the installed program" test "$prefix/bin/namedays" -ef "$program_dir/namedays"
check "desktop entry passes desktop-file-validate" entry_valid "$entry"
check "desktop entry starts the launcher" entry_runs_launcher
check "icon in the hicolor theme" icon_is_svg "$prefix/share/icons/hicolor/scalable/apps/namedays.svg"
check "icon named by the entry" grep -qx 'Icon=namedays' "$entry"

echo "== the installed program's window"
if check "window starts from the desktop entry" read_window "$work/tabs" "$work/class"; then
    check "one tab per shipped list" \
        [ "$(LC_ALL=C sort "$work/tabs")" = "$(shipped_lists | sed 's/\.txt$//')" ]
    check "window class matches the entry's StartupWMClass" \
        grep -q "\"$(sed -n 's/^StartupWMClass=//p' "$entry")\"" "$work/class"
fi

echo "== install again over the user's lists"
printf '12.31\tNyårsvaka\t0\r\n' >>"$program_dir/Sverige.txt"
cp "$program_dir/Sverige.txt" "$work/Sverige.edited"
printf '3.7\tJohn Smith\t1965\r\n' >"$program_dir/Familj.txt"
cp "$program_dir/Familj.txt" "$work/Familj.own"
PREFIX="$prefix" "$src/scripts/install" "$build" >"$work/install2.out"
cat "$work/install2.out"
check "edited list kept" same_file "$work/Sverige.edited" "$program_dir/Sverige.txt"
check "added list kept" same_file "$work/Familj.own" "$program_dir/Familj.txt"
check "unchanged list still as shipped" same_file "$src/data/lists/Danmark.txt" "$program_dir/Danmark.txt"
check "install says it kept the edited list" grep -q 'Sverige.txt' "$work/install2.out"

echo "== a newer release"
next="$work/next"
release_tree "$next"
printf '1.1\tNy\t0\r\n' >>"$next/data/lists/Danmark.txt"
printf '1.1\tNy\t0\r\n' >>"$next/data/lists/Sverige.txt"
rm "$next/data/lists/Polska.txt"
printf '1.2\tAnna\t0\r\n' >"$next/data/lists/Nytt.txt"
printf '5.5\tShipped family\t1970\r\n' >"$next/data/lists/Familj.txt"
PREFIX="$prefix" "$next/scripts/install" "$build" >"$work/install3.out"
cat "$work/install3.out"
check "unchanged list replaced by the newer one" same_file "$next/data/lists/Danmark.txt" "$program_dir/Danmark.txt"
check "edited list kept over the newer one" same_file "$work/Sverige.edited" "$program_dir/Sverige.txt"
check "list no longer shipped removed" no_file "$program_dir/Polska.txt"
check "newly shipped list installed" same_file "$next/data/lists/Nytt.txt" "$program_dir/Nytt.txt"
check "own list kept though a list of its name now ships" same_file "$work/Familj.own" "$program_dir/Familj.txt"

echo "== uninstall"
PREFIX="$prefix" "$next/scripts/install" --uninstall >"$work/uninstall.out"
cat "$work/uninstall.out"
for gone in "$prefix/bin/namedays" "$entry" "$prefix/share/icons/hicolor/scalable/apps/namedays.svg" \
    "$prefix/share/doc/namedays" "$program_dir/namedays" "$program_dir/namedays-desktopcal.so" \
    "$program_dir/.shipped-lists.sha256"; do
    check "removed ${gone#"$prefix/"}" no_file "$gone"
done
check "only the user's lists are left" [ "$(lists_in "$program_dir")" = "$(printf 'Familj.txt\nSverige.txt')" ]
check "nothing else is left in the program folder" [ "$(find "$program_dir" -mindepth 1 | wc -l)" -eq 2 ]
check "uninstall says where the lists are" grep -qF "$program_dir" "$work/uninstall.out"
PREFIX="$prefix" "$src/scripts/install" --uninstall >"$work/uninstall2.out"
check "uninstalling again changes nothing" [ "$(lists_in "$program_dir")" = "$(printf 'Familj.txt\nSverige.txt')" ]

echo "== a place of one's own"
odd="$work/odd \"place\" \$HOME 100%"
PREFIX="$odd" "$src/scripts/install" "$build" >/dev/null
entry="$odd/share/applications/namedays.desktop" program_dir="$odd/share/namedays"
check "desktop entry with quotes and dollars in its path passes desktop-file-validate" entry_valid "$entry"
check "its command line still starts the launcher" entry_runs_launcher
PREFIX="$odd" "$src/scripts/install" --uninstall >/dev/null
check "uninstall there leaves no list behind" no_file "$program_dir"

echo "== someone else's launcher"
other="$work/other"
mkdir -p "$other/bin"
printf '#!/bin/sh\necho not ours\n' >"$other/bin/namedays"
cp "$other/bin/namedays" "$work/theirs"
if PREFIX="$other" "$src/scripts/install" "$build" >"$work/install4.out" 2>&1; then status=0; else status=$?; fi
check "install refuses to replace it" [ "$status" -ne 0 ]
check "and leaves it as it was" same_file "$work/theirs" "$other/bin/namedays"
check "and installs nothing" no_file "$other/share"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "all install checks passed"
