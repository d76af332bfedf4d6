#!/bin/bash
# Configures and builds one configuration, or only the targets named after it:
# build.sh native|native-release|fuzz|win64|win32|release-win64|release-win32 [TARGET...|--configure]
# The release-* ones build the programs stripped and without tests, as shipped.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LINKHIVE_BUILD_DIR:-$root/build}
config=$1
shift
case $config in
native) args=(-DCMAKE_BUILD_TYPE=Debug -DLINKHIVE_SANITIZE=ON -DLINKHIVE_WERROR=ON) ;;
native-release) args=(-DCMAKE_BUILD_TYPE=Release -DLINKHIVE_TESTS=OFF -DLINKHIVE_BENCH=ON) ;;
win64) args=(-DCMAKE_BUILD_TYPE=Release -DLINKHIVE_WERROR=ON -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake") ;;
fuzz) args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DLINKHIVE_FUZZ=ON -DLINKHIVE_TESTS=OFF) ;;
win32) args=(-DCMAKE_BUILD_TYPE=Release -DLINKHIVE_WERROR=ON -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake") ;;
release-win64) args=(-DCMAKE_BUILD_TYPE=Release -DLINKHIVE_WERROR=ON -DLINKHIVE_TESTS=OFF -DCMAKE_EXE_LINKER_FLAGS=-s -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake") ;;
release-win32) args=(-DCMAKE_BUILD_TYPE=Release -DLINKHIVE_WERROR=ON -DLINKHIVE_TESTS=OFF -DCMAKE_EXE_LINKER_FLAGS=-s -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake") ;;
*) echo "usage: build.sh native|native-release|fuzz|win64|win32|release-win64|release-win32" >&2; exit 2 ;;
esac
cmake -S "$root" -B "$build/$config" -G Ninja "${args[@]}" >/dev/null
[ "${1:-}" = --configure ] && exit 0
cmake --build "$build/$config" ${1:+--target "$@"}
