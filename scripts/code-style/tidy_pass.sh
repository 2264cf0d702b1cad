#!/bin/bash
# Runs clang-tidy's naming check over every translation unit of the build's
# compilation database that lies in the checkout (not the build folder),
# two at a time, writing one fixes file per unit into $2 and the warnings
# into $2/warnings.txt.
# usage: tidy_pass.sh BUILD_DIR OUT_DIR [JOBS]
set -euo pipefail
build=$1 out=$2 jobs=${3:-2}
root=$(pwd)
mkdir -p "$out"
python3 - "$build/compile_commands.json" "$root" > "$out/files.txt" <<'PY'
import json, sys, os
db, root = sys.argv[1], os.path.realpath(sys.argv[2])
seen = set()
for e in json.load(open(db)):
    f = os.path.realpath(os.path.join(e['directory'], e['file']))
    if f.startswith(root + '/') and not f.startswith(root + '/build') and f not in seen:
        seen.add(f); print(f)
PY
export build out root
one() {
  local f=$1 n
  n=$(echo "${f#$root/}" | tr '/' '_')
  clang-tidy -p "$build" --quiet --header-filter="^$root/(bench|data_access|desktop|flight_screen|package|platform|report|server|tests|wire)/" \
    --export-fixes="$out/$n.yaml" "$f" > "$out/$n.log" 2>/dev/null || true
}
export -f one
xargs -a "$out/files.txt" -P "$jobs" -I{} bash -c 'one "$@"' _ {}
# The fuzz target is built outside CMake (make fuzz): its flags by hand.
for f in tests/server/fuzz/*.cpp; do
  [ -f "$f" ] || continue
  n=$(echo "$f" | tr '/' '_')
  clang-tidy --quiet --header-filter="^$root/(server|wire)/" --export-fixes="$out/$n.yaml" "$root/$f" \
    -- -std=c++20 -I"$root" > "$out/$n.log" 2>/dev/null || true
done
cat "$out"/*.log | grep -E 'warning: invalid case style' | sort -u > "$out/warnings.txt" || true
