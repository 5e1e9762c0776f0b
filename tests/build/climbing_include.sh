#!/usr/bin/env bash
# Compiles ClimbingInclude.cpp with exactly the flags the build gives it (a file of the
# outlook library that includes a header of the services above it) and passes only when the
# compiler cannot find that header.
set -euo pipefail
build=$(cd "${1:?usage: $0 <build dir>}" && pwd)
command=$(python3 - "$build/compile_commands.json" <<'PY'
import json, shlex, sys
for entry in json.load(open(sys.argv[1])):
    if entry["file"].endswith("tests/build/ClimbingInclude.cpp"):
        words = shlex.split(entry["command"])
        # Check the include only; write nothing into the build tree.
        words = [w for w in words if w not in ("-MD",)]
        out = []
        skip = False
        for w in words:
            if skip:
                skip = False
                continue
            if w in ("-o", "-MF", "-MT"):
                skip = True
                continue
            out.append(w)
        print("cd " + shlex.quote(entry["directory"]) + " && " + shlex.join(out + ["-fsyntax-only"]))
        break
PY
)
[ -n "$command" ] || { echo "ClimbingInclude.cpp is not in compile_commands.json"; exit 1; }
if output=$(bash -c "$command" 2>&1); then
    echo "the climbing include built; the layers are not enforced"
    exit 1
fi
echo "$output"
grep -q 'services/modErroHandling.h: No such file or directory' <<<"$output"
