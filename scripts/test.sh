#!/bin/bash
# Installs what is missing, builds every configuration warning-free, and runs
# every test: the native suite (ASan/UBSan) and the Windows suite under Wine.
# The 32-bit Windows build is compiled only.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LINKHIVE_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh" || exit 1
for config in native win64 win32; do
  echo "== build $config"
  "$root/scripts/build.sh" "$config" || { echo "build $config failed"; exit 1; }
done
status=0
for config in native win64; do
  echo "== test $config"
  ctest --test-dir "$build/$config" --output-on-failure --timeout 600 || status=1
done
echo "== fuzz"
"$root/scripts/fuzz.sh" 15 || status=1
exit $status
