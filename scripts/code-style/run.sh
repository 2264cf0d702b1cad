#!/bin/bash
# A one-time move of the whole tree to one naming style and one root
# namespace (not yet applied; not run by the build or the tests). Delete
# this folder once it has been applied.
#
# usage (in the checkout's top folder, a clean tree):
#   scripts/code-style/run.sh [BUILD_DIR]          (default: build)
#
# BUILD_DIR is configured here when it has no build.ninja yet (Debug, as
# `make build`); only the generated sources (form members, moc) are built.
# Steps, each idempotent:
#   1. pre_edits.sh      small source edits the renaming needs first
#   2. generated sources rebuilt, then clang-tidy's readability-identifier-naming
#      (config: clang-tidy.yaml, installed as .clang-tidy) over every unit,
#      its fixes checked (filter_fixes.py) and applied with clang-apply-replacements
#   3. namespaces.py     every namespace under zor, the units' code in theirs
#   4. comment_names.py  comments naming a renamed function follow it
#      post_edits.sh     edits that need the new names
#   5. README's "Code style" paragraph
# Prints the time taken and the names renamed per folder. JOBS=n sets the
# clang-tidy processes (default 2).
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
build=${1:-build}
jobs=${JOBS:-2}
start=$(date +%s)
step() { echo "== $(( $(date +%s) - start ))s: $*"; }

[ -f CMakeLists.txt ] && [ -d platform ] || { echo "run.sh: run it in the checkout's top folder" >&2; exit 2; }

step "configure $build"
export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1
if [ ! -f "$build/build.ninja" ]; then
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZOR_WERROR=ON "${launcher[@]}" >/dev/null
fi

step "pre-edits"
"$here/pre_edits.sh"
cp "$here/clang-tidy.yaml" .clang-tidy

step "generated sources"
generated() {
  ninja -C "$build" -t targets all | grep -E '^[A-Za-z0-9_/]*(generated/[^:]*|_autogen): ' | cut -d: -f1
}
ninja -C "$build" -j "$jobs" $(generated) >/dev/null

step "clang-tidy naming pass ($jobs at a time)"
fixes=$(mktemp -d /tmp/rename-fixes.XXXXXX)
"$here/tidy_pass.sh" "$build" "$fixes" "$jobs"
step "apply fixes"
python3 "$here/filter_fixes.py" "$fixes" > "$fixes/dropped.txt"
tail -1 "$fixes/dropped.txt"
clang-apply-replacements "$fixes"
python3 "$here/count.py" "$fixes" . > "$fixes/counts.txt"

step "namespaces"
python3 "$here/namespaces.py"

step "comments naming renamed functions"
python3 "$here/comment_names.py" "$fixes"

step "post-edits"
"$here/post_edits.sh"

if ! grep -q '^## Code style' README.md; then
  perl -0pi -e 'BEGIN { local $/; open my $f, "<", shift @ARGV or die; $s = <$f>; close $f }
                s/\n## Dependencies/\n${s}\n## Dependencies/' "$here/readme_style.md" README.md
fi

step "done"
cat "$fixes/counts.txt"
echo "fixes and clang-tidy logs: $fixes"
