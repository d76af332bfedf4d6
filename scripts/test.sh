#!/bin/bash
# Installs what is missing, builds every configuration warning-free, and runs
# every test: the native suite (ASan/UBSan), the Windows suite under Wine, the
# README's run command, the paths it names, and a short run of each fuzz
# target. The 32-bit Windows build is compiled only.
# Ends with a table of each stage's seconds.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LINKHIVE_BUILD_DIR:-$root/build}
stages=()
# stage NAME COMMAND...: runs and times one stage; its status is returned.
stage() {
  local name=$1 start status
  shift
  echo "== $name"
  start=$(date +%s)
  "$@"
  status=$?
  stages+=("$name|$(($(date +%s) - start))|$status")
  return $status
}
table() {
  local row name seconds status total=0
  echo "== stages"
  printf '%-22s %8s  %s\n' stage seconds status
  for row in "${stages[@]}"; do
    IFS='|' read -r name seconds status <<<"$row"
    printf '%-22s %8d  %s\n' "$name" "$seconds" "$([ "$status" -eq 0 ] && echo ok || echo "failed ($status)")"
    total=$((total + seconds))
  done
  printf '%-22s %8d\n' total "$total"
}
stage install-deps "$root/scripts/install-deps.sh" || { table; exit 1; }
# The 32-bit release is compiled only (it cannot run here): its two programs.
for build_args in native win64 "win32 linkhive linkhive-cli"; do
  config=${build_args%% *}
  # shellcheck disable=SC2086
  stage "build $config" "$root/scripts/build.sh" $build_args || { echo "build $config failed"; table; exit 1; }
done
passed=0
failed=0
tally() {  # tally LOG: adds a ctest run's counts
  local line total bad
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
  bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
  passed=$((passed + ${total:-0} - ${bad:-0}))
  failed=$((failed + ${bad:-1}))
}
run_ctest() {  # run_ctest CONFIG
  # Three at once: the window tests mostly wait on Wine, not on a core.
  ctest --test-dir "$build/$1" --output-on-failure --timeout 600 -j3 2>&1 | tee "$build/$1-ctest.log"
  tally "$build/$1-ctest.log"
}
count() { if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi; }
for config in native win64; do
  stage "test $config" run_ctest "$config"
done
# The README's own commands: the run command as a newcomer runs it, and
# every build output the README and the scripts name.
count stage "run command" "$root/tests/scripts/start_test.sh" "$build"
count stage "named paths" python3 "$root/tests/scripts/paths_test.py" "$root" "$build"
count stage fuzz "$root/scripts/fuzz.sh" 15
table
# CI shows only the ends of a long log: repeat what failed where it is seen.
for config in native win64; do
  log="$build/$config-ctest.log"
  [ -f "$log" ] || continue
  grep -E '\*\*\*(Failed|Timeout|Exception)|^\[  FAILED  \]' "$log" | head -n 20
  grep -E -A12 ': Failure$' "$log" | head -n 60
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
