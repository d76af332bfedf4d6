#!/bin/bash
# Builds the release and writes dist/linkhive-VERSION-windows.zip: the 64-bit
# and 32-bit programs, the 64-bit linkhive-cli, README.md with its pictures,
# LICENSE and their SHA256SUMS (scripts/release_zip.py). The same commit
# gives the same bytes: no link time in the programs, every entry dated at
# the commit, in sorted order, with one mode.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LINKHIVE_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
for config in release-win64 release-win32; do
  echo "== build $config"
  "$root/scripts/build.sh" "$config" linkhive linkhive-cli
done
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}
version=$(sed -n 's/^#define LINKHIVE_VERSION_TEXT "\(.*\)"$/\1/p' "$build/release-win64/generated/linkhive_version.h")
# The 32-bit programs, which cannot run here, hold what the 64-bit ones do.
python3 "$root/tests/pe/compare_pe.py" --version "$version" --manifest "$root/res/linkhive.manifest" \
  --manifest "$root/res/linkhive-cli.manifest" "$build/release-win64" "$build/release-win32"
mkdir -p "$root/dist"
zip="$root/dist/linkhive-$version-windows.zip"
python3 "$root/scripts/release_zip.py" "$zip" "$root" "$build/release-win64" "$build/release-win32"
sha256sum "$zip"
