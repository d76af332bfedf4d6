#!/bin/bash
# Installs what is missing, builds every configuration warning-free, and runs
# every test: the native suite (ASan/UBSan), the Windows suite under Wine and
# a short run of each fuzz target. The 32-bit Windows build is compiled only.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LINKHIVE_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh" || exit 1
for config in native win64 win32; do
  echo "== build $config"
  "$root/scripts/build.sh" "$config" || { echo "build $config failed"; exit 1; }
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
for config in native win64; do
  echo "== test $config"
  ctest --test-dir "$build/$config" --output-on-failure --timeout 600 2>&1 | tee "$build/$config-ctest.log"
  tally "$build/$config-ctest.log"
done
echo "== fuzz"
if "$root/scripts/fuzz.sh" 15; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
