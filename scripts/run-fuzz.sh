#!/usr/bin/env bash
# Runs a libFuzzer target for a bounded time over the checked-in seed
# corpus (left untouched: new inputs go to a scratch folder). A crash leaves
# its input in the scratch folder and fails the run; add it to the corpus as
# a regression case once mended.
set -euo pipefail
fuzzer=$1 corpus=$2 seconds=${3:-60}
scratch=$(mktemp -d /tmp/zor-fuzz.XXXXXX)
cd "$scratch"
if "$OLDPWD/$fuzzer" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    "$scratch" "$OLDPWD/$corpus" >"$scratch/log" 2>&1; then
  echo "fuzz: $(tail -1 "$scratch/log")"
  rm -rf "$scratch"
else
  tail -40 "$scratch/log"
  echo "fuzz: failure, inputs and log kept in $scratch" >&2
  exit 1
fi
