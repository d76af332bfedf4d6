#!/bin/bash
# Builds the release and writes dist/linkhive-VERSION-windows.zip: the 64-bit
# and 32-bit programs, the 64-bit linkhive-cli, README.md, LICENSE and their
# SHA256SUMS. The same commit gives the same bytes: no link time in the
# programs, every entry dated at the commit, in sorted order, with one mode.
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
  "$build/release-win64" "$build/release-win32"
mkdir -p "$root/dist"
zip="$root/dist/linkhive-$version-windows.zip"
python3 - "$zip" \
  x64/linkhive.exe="$build/release-win64/linkhive.exe" \
  x86/linkhive.exe="$build/release-win32/linkhive.exe" \
  x64/linkhive-cli.exe="$build/release-win64/linkhive-cli.exe" \
  README.md="$root/README.md" \
  LICENSE="$root/LICENSE" <<'PYTHON'
import hashlib, os, sys, time, zipfile
target, entries = sys.argv[1], dict(arg.split("=", 1) for arg in sys.argv[2:])
contents = {name: open(path, "rb").read() for name, path in entries.items()}
contents["SHA256SUMS"] = "".join(
    "%s  %s\n" % (hashlib.sha256(data).hexdigest(), name) for name, data in sorted(contents.items())).encode()
# Zip dates run from 1980, in two-second steps.
stamp = time.gmtime(max(int(os.environ["SOURCE_DATE_EPOCH"]), 315532800))[:6]
with zipfile.ZipFile(target + ".part", "w") as archive:
    for name in sorted(contents):
        entry = zipfile.ZipInfo(name, stamp)
        entry.create_system = 3
        entry.external_attr = 0o100644 << 16
        entry.compress_type = zipfile.ZIP_DEFLATED
        archive.writestr(entry, contents[name], compresslevel=9)
os.replace(target + ".part", target)
PYTHON
sha256sum "$zip"
