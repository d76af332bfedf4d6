#!/bin/bash
# linkhive-cli duplicates, driven as a user would: duplicates_test.sh "COMMAND PREFIX"
# (the CLI's path, or a Wine launcher followed by it).
set -u
export LC_ALL=C
cli=$1
. "$(dirname "$0")/lib.sh"

store "$work/s.lkh" 2 Web Mail \
  "First b" "http://b/" Web "" \
  "First a" "http://a/" Mail "described" \
  "Second b" "HTTP://B/" Mail "" \
  "Tab"$'\t'"name" "http://a/" Web "" \
  "Alone" "http://c/" Web "" \
  "Third b" "http://B/" Web ""
run duplicates "$work/s.lkh"
check "status" 0 "$status"
check "sets in URL order, store order inside, an empty line between" "$(line "First a" "http://a/" Mail described)
$(line 'Tab\tname' "http://a/" Web "")

$(line "First b" "http://b/" Web "")
$(line "Second b" "HTTP://B/" Mail "")
$(line "Third b" "http://B/" Web "")" "$out"
check "no empty line after the last set" "$(printf '\t\n' | od -An -c)" "$(tail -c 2 "$work/out" | od -An -c)"
check "found says nothing" "" "$err"

# Only ASCII letters fold, and only in the scheme and host: 0xC4 and 0xE4
# are different addresses, and so are two short links differing in case.
store "$work/none.lkh" 1 Web "a" "http://a/" Web "" "b" "http://a/x" Web "" \
  "c" "http://"$'\304'"/" Web "" "d" "http://"$'\344'"/" Web "" \
  "e" "https://sho.rt/AbC" Web "" "f" "https://sho.rt/abc" Web ""
store "$work/empty.lkh" 0
for file in none.lkh empty.lkh; do
  run duplicates "$work/$file"
  check "$file: status" 1 "$status"
  check "$file: no output" "" "$(od -An -c "$work/out")$(od -An -c "$work/err")"
done

run duplicates "$work/missing.lkh"
check "missing store status" 2 "$status"
check "missing store message" 'missing.lkh\nCannot find this file.\nPlease verify that the correct path and file name are given.' "$err"
head -c 20 "$work/s.lkh" >"$work/damaged.lkh"
run duplicates "$work/damaged.lkh"
check "damaged store status" 2 "$status"
check "damaged store message" "Unexpected file format." "$err"

# --similar: one address after folding scheme, www., port, slash, fragment, tracking.
store "$work/similar.lkh" 1 Web "a" "https://www.c.example/x/?utm_source=m#f" Web "" "b" "http://c.example/x" Web "" \
  "c" "http://c.example/y" Web ""
run duplicates "$work/similar.lkh"
check "exact only: none" 1 "$status"
run duplicates "$work/similar.lkh" --similar
check "similar status" 0 "$status"
check "similar set" 2 "$(printf '%s\n' "$out" | grep -c .)"

for usage in "duplicates" "duplicates s.lkh s.lkh" "duplicates s.lkh --group Web"; do
  run $usage
  check "usage '$usage'" 2 "$status"
done

finish "duplicates"
