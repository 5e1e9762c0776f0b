#!/usr/bin/env bash
# Derives every shipped list, NOTICE and the counts manifest afresh from the source tables in
# data/namedays/ and fails on any difference from what the repository holds. Then, in a copy
# of those files, shows that the check notices a changed list and a list that no source makes,
# and that a correction whose row has gone from its source stops the converter.
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
convert="$repo/tools/make_lists.py"
command -v python3 >/dev/null || { echo "missing python3"; exit 1; }

python3 "$convert" --check "$repo"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
work="$scratch/repo"
out="$scratch/out"
fresh_copy() {
    rm -rf "$work"
    mkdir -p "$work/data" "$work/tests/lists"
    cp -r "$repo/data/namedays" "$repo/data/lists" "$work/data/"
    cp "$repo/NOTICE" "$work/"
    cp "$repo/tests/lists/ShippedLists.counts.tsv" "$work/tests/lists/"
}
must_fail() {
    local what=$1
    shift
    if "$@" >"$out" 2>&1; then
        echo "not caught: $what"
        cat "$out"
        exit 1
    fi
    echo "caught: $what: $(head -n 1 "$out")"
}

fresh_copy
python3 "$convert" --check "$work"

sed -i 's/Patrick, Patrice/Patrice/' "$work/data/lists/France.txt"
must_fail "a list that lost a name" python3 "$convert" --check "$work"

fresh_copy
printf '1.1\tAnna\t0\r\n' >"$work/data/lists/Extra.txt"
must_fail "a list that no source makes" python3 "$convert" --check "$work"

fresh_copy
sed -i '/^3\t17\tPatrice$/d' "$work/data/namedays/FR.tsv"
must_fail "a correction that finds nothing to correct" python3 "$convert" --check "$work"

fresh_copy
python3 "$convert" "$work" >/dev/null
python3 "$convert" --check "$work"
cmp "$work/data/lists/France.txt" "$repo/data/lists/France.txt"
