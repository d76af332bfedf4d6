#!/bin/bash
# Builds the libFuzzer targets with clang and runs each for a short while:
# fuzz.sh [SECONDS-PER-TARGET]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LINKHIVE_BUILD_DIR:-$root/build}
seconds=${1:-20}
"$root/scripts/build.sh" fuzz
status=0
for target in "$build"/fuzz/tests/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$build/fuzz/corpus/$name"
  mkdir -p "$corpus"
  seeds="$root/tests/fuzz/seeds/${name#fuzz_}"
  echo "== $name (${seconds}s)"
  if ! "$target" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -timeout=10 \
        -print_final_stats=0 "$corpus" $( [ -d "$seeds" ] && echo "$seeds" ) >"$build/fuzz/$name.log" 2>&1; then
    echo "$name found a fault:"
    tail -40 "$build/fuzz/$name.log"
    status=1
  fi
done
exit $status
