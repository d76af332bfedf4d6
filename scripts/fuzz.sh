#!/bin/bash
# Builds the libFuzzer targets with clang and runs each from its kept corpus:
#   fuzz.sh [SECONDS]       each target in turn for SECONDS (default 20), on a
#                           copy of its corpus in the build folder; the test
#                           command runs this. The committed files stay as they are.
#   fuzz.sh --long SECONDS  every target at once (niced) for SECONDS, then what
#                           they found is merged back into the kept corpus and a
#                           table of executions, edges and corpus files printed.
# The kept corpus is tests/fuzz/corpus/<format>/ (fuzz_<format> reads it), started from tests/data and
# the inputs of the unit tests and minimised with libFuzzer's -merge=1: the
# merge keeps only files that reach new edges (-use_counters=0: hit counts
# are found again in minutes, and a file for each would pass the 2 MB the
# corpus may take on disk), named by their SHA-1, inputs cut to max_len
# below. Commit it after a long pass; a faulting input found there becomes a
# unit test of its reader. tests/fuzz/dict/<format>.dict holds the tokens
# of each format.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LINKHIVE_BUILD_DIR:-$root/build}
long=0
if [ "${1:-}" = "--long" ]; then
  long=1
  shift
fi
seconds=${1:-20}
kept="$root/tests/fuzz/corpus"
# Only the targets: the fuzz configuration's other programs are never run.
"$root/scripts/build.sh" fuzz $(cd "$root/tests/fuzz" && ls fuzz_*.cpp | sed 's/\.cpp$//')
out="$build/fuzz"

# Readers of whole documents get room for a real page; the rest stay short.
max_len() {
  case $1 in
  fuzz_html | fuzz_netscape) echo 16384 ;;
  *) echo 4096 ;;
  esac
}

# fuzz_run TARGET WORKDIR LOG [OPTIONS...]: the target on WORKDIR (seeded from
# the kept corpus), with its dictionary.
fuzz_run() {
  local target=$1 work=$2 log=$3 name
  shift 3
  name=$(basename "$target")
  mkdir -p "$work"
  if [ -d "$kept/${name#fuzz_}" ]; then cp -n "$kept/${name#fuzz_}"/* "$work"/ 2>/dev/null || true; fi
  local dict=()
  [ -f "$root/tests/fuzz/dict/${name#fuzz_}.dict" ] && dict=(-dict="$root/tests/fuzz/dict/${name#fuzz_}.dict")
  $nice "$target" -max_total_time="$seconds" -max_len="$(max_len "$name")" -rss_limit_mb=2048 -timeout=10 \
    -artifact_prefix="$out/$name-" "${dict[@]}" "$@" "$work" >"$log" 2>&1
}

nice=
targets=()
for target in "$out"/tests/fuzz/fuzz_*; do
  [ -x "$target" ] && targets+=("$target")
done

status=0
if [ $long = 0 ]; then
  # As many targets at once as there are cores.
  short_run() {
    local name
    name=$(basename "$1")
    if fuzz_run "$1" "$out/corpus/$name" "$out/$name.log" -print_final_stats=0; then
      echo "== $name (${seconds}s): no fault"
    else
      echo "== $name (${seconds}s) found a fault:"
      tail -40 "$out/$name.log"
      return 1
    fi
  }
  running=0
  for target in "${targets[@]}"; do
    if [ $running -ge "$(nproc)" ]; then
      wait -n || status=1
      running=$((running - 1))
    fi
    short_run "$target" &
    running=$((running + 1))
  done
  for _ in $(seq $running); do wait -n || status=1; done
  exit $status
fi

# The long pass: all targets at once, each on a fresh copy of the kept corpus.
started=$(date +%s)
nice="nice -n 19"
pids=()
for target in "${targets[@]}"; do
  name=$(basename "$target")
  rm -rf "$out/long/$name"
  mkdir -p "$out/long"
  fuzz_run "$target" "$out/long/$name" "$out/long/$name.log" -print_final_stats=1 &
  pids+=($!)
done
for i in "${!targets[@]}"; do
  if ! wait "${pids[$i]}"; then
    echo "$(basename "${targets[$i]}") found a fault:"
    tail -40 "$out/long/$(basename "${targets[$i]}").log"
    status=1
  fi
done
echo "== ran ${#targets[@]} targets at once for $(($(date +%s) - started))s wall time"

# Merge the kept corpus and the new finds into an empty folder, which then
# replaces the kept one: files that add nothing drop out.
printf '%-18s %12s %8s %8s %8s\n' target executions edges files KB
for target in "${targets[@]}"; do
  name=$(basename "$target")
  corpus="$kept/${name#fuzz_}"
  merged="$out/long/$name.merged"
  rm -rf "$merged"
  mkdir -p "$merged" "$corpus"
  if ! nice -n 19 "$target" -merge=1 -use_counters=0 -max_len="$(max_len "$name")" -rss_limit_mb=2048 -timeout=10 \
      "$merged" "$corpus" "$out/long/$name" >"$out/long/$name.merge.log" 2>&1; then
    echo "$name: merge failed, see $out/long/$name.merge.log"
    status=1
    continue
  fi
  find "$corpus" -type f -delete
  cp -r "$merged"/. "$corpus"/
  log="$out/long/$name.log"
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  edges=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  printf '%-18s %12s %8s %8s %8s\n' "$name" "${executions:-?}" "${edges:-?}" \
    "$(find "$corpus" -type f | wc -l)" "$(du -sk "$corpus" | cut -f1)"
done
size=$(du -sk "$kept" | cut -f1)
echo "kept corpus: ${size} KB on disk, $(du -sk --apparent-size "$kept" | cut -f1) KB of data"
if [ "$size" -gt 2048 ]; then
  echo "the kept corpus passes 2 MB: lower max_len or merge again before committing"
  status=1
fi
exit $status
