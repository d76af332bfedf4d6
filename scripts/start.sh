#!/bin/bash
# Installs what is missing, builds Linkhive and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LINKHIVE_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" native-release
cli="$build/native-release/linkhive-cli"
sample=${1:-$root/res/sample.lkh}
"$cli" stats "$sample"
"$cli" dump "$sample"
