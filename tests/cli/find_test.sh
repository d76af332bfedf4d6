#!/bin/bash
# linkhive-cli find, driven as a user would: find_test.sh "COMMAND PREFIX"
# (the CLI's path, or a Wine launcher followed by it).
set -u
export LC_ALL=C
cli=$1
. "$(dirname "$0")/lib.sh"

count() {  # count N: a count field (N-1, little-endian), N below 257
  if [ "$1" -eq 0 ]; then printf '\377\377\377\377'; else printf "\\$(printf '%03o' $(($1 - 1)))\\0\\0\\0"; fi
}
counted() {  # counted TEXT: a counted string, TEXT under 255 bytes
  printf "\\$(printf '%03o' ${#1})%s" "$1"
}
store() {  # store FILE GROUP-COUNT GROUP... then NAME URL GROUP DESCRIPTION per item
  local file=$1 groups=$2
  shift 2
  { count $((($# - groups) / 4)); count "$groups"; for text in "$@"; do counted "$text"; done; } >"$file"
}

store "$work/s.lkh" 2 Web Mail \
  "Example Site" "http://a.example/" Web "" \
  "Second" "http://www.EXAMPLE.org/x" web "" \
  "Third" "mailto:someone@other.net" Mail "the example address" \
  "Tab"$'\t'"name" "http://tab/" Mail "" \
  "Nothing" "http://nothing/" Web "plain" \
  "--flag" "http://flag/" "Lost" ""
line() {  # line NAME URL GROUP DESCRIPTION: one line as dump prints an item
  printf 'item\t%s\t%s\t%s\t%s' "$1" "$2" "$3" "$4"
}

run find "$work/s.lkh" eXaMpLe
check "letter case status" 0 "$status"
check "a match in each field, store order" "$(line "Example Site" "http://a.example/" Web ""
  echo; line Second "http://www.EXAMPLE.org/x" web ""
  echo; line Third "mailto:someone@other.net" Mail "the example address")" "$out"
check "found says nothing" "" "$err"

run find "$work/s.lkh" "ECOND"
check "name only" "$(line Second "http://www.EXAMPLE.org/x" web "")" "$out"
run find "$work/s.lkh" "other.NET"
check "URL only" "$(line Third "mailto:someone@other.net" Mail "the example address")" "$out"
run find "$work/s.lkh" "PLAIN"
check "description only" "$(line Nothing "http://nothing/" Web plain)" "$out"
run find "$work/s.lkh" "B"$'\t'"N"
check "escaped as dump escapes" "$(line 'Tab\tname' "http://tab/" Mail "")" "$out"

run find "$work/s.lkh" "example" --group WEB
check "--group status" 0 "$status"
check "--group, letter case ignored" "$(line "Example Site" "http://a.example/" Web ""
  echo; line Second "http://www.EXAMPLE.org/x" web "")" "$out"
run find "$work/s.lkh" "example" --group Nowhere
check "--group without match status" 1 "$status"
check "--group without match output" "" "$out"
run find "$work/s.lkh" "" --group lost
check "empty text, group of no entry" "$(line --flag "http://flag/" Lost "")" "$out"

run find "$work/s.lkh" "no such text"
check "no match status" 1 "$status"
check "no match output" "" "$(od -An -c "$work/out")"
check "no match message" "" "$(od -An -c "$work/err")"

run find "$work/s.lkh" -- --FLAG
check "text after -- status" 0 "$status"
check "text after --" "$(line --flag "http://flag/" Lost "")" "$out"

run find "$work/missing.lkh" example
check "missing store status" 2 "$status"
check "missing store message" 'missing.lkh\nCannot find this file.\nPlease verify that the correct path and file name are given.' "$err"
check "missing store output" "" "$out"
check "missing store is not created" "no" "$([ -e "$work/missing.lkh" ] && echo yes || echo no)"

head -c 20 "$work/s.lkh" >"$work/damaged.lkh"
run find "$work/damaged.lkh" example
check "damaged store status" 2 "$status"
check "damaged store message" "Unexpected file format." "$err"

for usage in "find" "find s.lkh" "find s.lkh a b" "find s.lkh a --group" "find s.lkh a --v20" "find s.lkh --flag"; do
  run $usage
  check "usage '$usage'" 2 "$status"
done

finish "find"
