#!/bin/bash
# Drives linkhive-cli as a user would: cli_test.sh "COMMAND PREFIX"
# (the CLI's path, or a Wine launcher followed by it).
set -u
cli=$1
. "$(dirname "$0")/lib.sh"

printf '\0\0\0\0\0\0\0\0\tNew Group\aNew URL\ahttp://\tNew Group\0' >"$work/example.lkh"
printf '\377\377\377\377\377\377\377\377' >"$work/empty.lkh"
head -c 44 "$work/example.lkh" >"$work/v20.lkh"
head -c 30 "$work/example.lkh" >"$work/damaged.lkh"
printf '\0\0\0\0\0\0\0\0\003a\tb\004N\\\r\n\ahttp://\003a\tb\002d\n' >"$work/escapes.lkh"

expect_dump() {  # expect_dump NAME EXPECTED-TEXT ARGS...
  local name=$1 expected=$2
  shift 2
  run dump "$@"
  check "$name status" 0 "$status"
  check "$name output" "$(printf '%s' "$expected" | od -An -c | tr -s ' ')" "$(tr -d '\r' <"$work/out" | od -An -c | tr -s ' ')"
}

expect_dump "example" $'group\tNew Group\nitem\tNew URL\thttp://\tNew Group\t\n' "$work/example.lkh"
expect_dump "empty" "" "$work/empty.lkh"
expect_dump "v20" $'group\tNew Group\nitem\tNew URL\thttp://\tNew Group\t\n' "$work/v20.lkh" --v20
expect_dump "escapes" $'group\ta\\tb\nitem\tN\\\\\\r\\n\thttp://\ta\\tb\td\\n\n' "$work/escapes.lkh"

run dump "$work/damaged.lkh"
check "damaged status" 1 "$status"
check "damaged message" "Unexpected file format." "$err"

run dump "$work/v20.lkh"
check "v20 read as current status" 1 "$status"

run dump "$work/missing.lkh"
check "missing status" 1 "$status"
check "missing message" 'missing.lkh\nCannot find this file.\nPlease verify that the correct path and file name are given.' "$err"

run stats "$work/example.lkh"
check "stats" "groups 1 items 1" "$(tr -d '\r' <"$work/out")"

run convert "$work/v20.lkh" "$work/converted.lkh" --v20
check "convert status" 0 "$status"
check "convert bytes" "$(od -An -tx1 "$work/example.lkh")" "$(od -An -tx1 "$work/converted.lkh")"

# Replacing an existing file named by a relative path.
cp "$work/empty.lkh" "$work/replaced.lkh"
(cd "$work" && run convert example.lkh replaced.lkh && [ "$status" -eq 0 ]) 
check "convert over existing relative" "$(od -An -tx1 "$work/example.lkh")" "$(od -An -tx1 "$work/replaced.lkh")"

run convert "$work/example.lkh" "$work/no-such-folder/x.lkh"
check "convert to bad path status" 1 "$status"

# A full disk: the save fails with its message, and the old file stays as it
# was with no temporary file beside it. Needs a small file system of its own
# (root may mount one); skipped where mounting is not allowed.
tiny="$work/tiny"
mkdir -p "$tiny"
if mount -t tmpfs -o size=64k tmpfs "$tiny" 2>/dev/null; then
  { printf '\377\377\377\377\0\0\0\0\377\377\377\240\206\001\0'; head -c 100000 /dev/zero | tr '\0' 'g'; } >"$work/big.lkh"
  cp "$work/example.lkh" "$tiny/full.lkh"
  run convert "$work/big.lkh" "$tiny/full.lkh"
  check "disk full status" 1 "$status"
  check "disk full message" "Destination disk drive is full." "$err"
  check "disk full keeps old file" "$(od -An -tx1 "$work/example.lkh")" "$(od -An -tx1 "$tiny/full.lkh")"
  check "disk full leaves no temporary file" "full.lkh" "$(ls -A "$tiny")"
  umount "$tiny"
else
  echo "cli: disk-full case skipped (cannot mount a small file system here)"
fi

version=$(sed -n 's/^project(Linkhive VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
run --version
check "version" "0 linkhive-cli $version" "$status $out"

for usage in "" "dump" "dump a b" "stats a --v20" "frobnicate x" "convert a" "--version x"; do
  run $usage
  check "usage '$usage'" 2 "$status"
done

finish "cli"
