#!/usr/bin/env bash
# Runs the real program as a user would: under a virtual display, in a program folder of its
# own with the shipped lists, writing into a store of its own. Enter starts the run, Enter
# dismisses the success message; khal then has to show every entry of the first list on its
# date of this year.
set -euo pipefail
build=$(cd "${1:?usage: $0 <build dir>}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
for tool in xvfb-run xdotool khal python3; do
    command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/program" "$work/home" "$work/store"
cp "$build/bin/namedays" "$work/program/"
cp "$build"/bin/*.txt "$work/program/"
first=$(cd "$work/program" && ls -- *.txt | LC_ALL=C sort -f | head -n 1)
echo "first list: $first"

export HOME="$work/home" XDG_DATA_HOME="$work/home/.local/share"
export XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache"
export VELMORA_STORE="$work/store"
unset QT_QPA_PLATFORM

timeout 120 xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -euo pipefail
    "$1" & pid=$!
    # A double-click on the heading row right of the shown columns sorts nothing and ends
    # nothing; the run below still writes the whole list.
    id=$(timeout 30 xdotool search --sync --onlyvisible --name "^Create Name Days\$" | head -n 1)
    [ -n "$id" ] || { echo "no main window"; exit 1; }
    xdotool mousemove --window "$id" 600 59 click --repeat 2 --delay 100 1
    sleep 0.5
    kill -0 "$pid" 2>/dev/null || { echo "the program ended at a double-click right of the headings"; exit 1; }
    . "$2"
    press_enter_on "Create Name Days"
    press_enter_on "Outlook Velmora"
    status=0
    timeout 60 tail --pid="$pid" -f /dev/null || { kill "$pid"; echo "program did not end"; exit 1; }
    wait "$pid" || status=$?
    echo "program ended with status $status"
    exit "$status"
' _ "$work/program/namedays" "$here/window_keys.sh"

year=$(date +%Y)
mkdir -p "$XDG_CONFIG_HOME/khal"
cat >"$XDG_CONFIG_HOME/khal/config" <<CONF
[calendars]
[[velmora]]
path = $VELMORA_STORE/Calendar
type = calendar
[locale]
timeformat = %H:%M
dateformat = %Y-%m-%d
longdateformat = %Y-%m-%d
datetimeformat = %Y-%m-%d %H:%M
longdatetimeformat = %Y-%m-%d %H:%M
[default]
default_calendar = velmora
CONF
khal list --format "{start-date}|{title}" --day-format "" "$year-01-01" 366d >"$work/khal.out"
python3 "$here/expected_entries.py" "$work/program/$first" "$year" "$work/khal.out"

# A list written on Linux, LF line ends only: Alt+S saves it back with Windows line ends, Alt+O
# writes its entries, and khal shows them. The temporary files that a killed run left an hour
# ago beside the list and in the calendar go; a second copy's write of this minute stays.
lf="$work/lf"
mkdir -p "$lf/program" "$lf/store/Calendar"
cp "$build/bin/namedays" "$lf/program/"
printf '3.4\tCarl\t\n1.2\tAnna\t\n' | tee "$lf/Linux.orig" >"$lf/program/Linux.txt"
stale=("$lf/program/.Linux.txt.0123ABCD.tmp" "$lf/store/Calendar/.x.ics.89ABCDEF.tmp")
live="$lf/store/Calendar/.y.ics.01234567.tmp"
touch -d '1 hour ago' "${stale[@]}"
touch "$live"
VELMORA_STORE="$lf/store" timeout 120 xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -euo pipefail
    "$1" & pid=$!
    . "$2"
    focus "Create Name Days"
    xdotool key --clearmodifiers alt+s
    sleep 1
    xdotool key --clearmodifiers alt+o
    focus "Outlook Velmora"
    xdotool key --clearmodifiers Return
    timeout 60 tail --pid="$pid" -f /dev/null || { kill "$pid"; echo "program did not end"; exit 1; }
    wait "$pid"
' _ "$lf/program/namedays" "$here/window_keys.sh"
printf '1.2\tAnna\t0\r\n3.4\tCarl\t0\r\n' | cmp - "$lf/program/Linux.txt"
for file in "${stale[@]}"; do [ ! -e "$file" ] || { echo "left behind: $file"; exit 1; }; done
[ -e "$live" ] || { echo "removed a live temporary file"; exit 1; }
{ sed "s#^path = .*#path = $lf/store/Calendar#" "$XDG_CONFIG_HOME/khal/config"
  printf '[sqlite]\npath = %s\n' "$lf/khal.db"; } >"$lf/khal.conf"
khal -c "$lf/khal.conf" list --format "{start-date}|{title}" --day-format "" "$year-01-01" 366d \
    >"$lf/khal.out"
python3 "$here/expected_entries.py" "$lf/Linux.orig" "$year" "$lf/khal.out"
