#!/bin/bash
# linkhive-cli find, driven as a user would: find_test.sh "COMMAND PREFIX"
# (the CLI's path, or a Wine launcher followed by it).
set -u
export LC_ALL=C
cli=$1
. "$(dirname "$0")/lib.sh"

store "$work/s.lkh" 2 Web Mail \
  "Example Site" "http://a/" Web "" \
  "Second" "http://www.EXAMPLE.org/x" web "" \
  "Third" "mailto:someone@other.net" Mail "the example address" \
  "Tab"$'\t'"name" "http://tab/" Mail "" \
  "Nothing" "http://nothing/" Web "plain" \
  "--flag" "http://flag/" "Lost" ""
expect() {  # expect NAME STATUS OUTPUT ARGS...: runs find ARGS
  local name=$1 wanted=$2 output=$3
  shift 3
  run find "$@"
  check "$name status" "$wanted" "$status"
  check "$name output" "$output" "$out"
}
site=$(line "Example Site" "http://a/" Web "")
second=$(line Second "http://www.EXAMPLE.org/x" web "")
flag=$(line --flag "http://flag/" Lost "")

expect "letter case, a match in name, URL and description, store order" 0 "$site
$second
$(line Third "mailto:someone@other.net" Mail "the example address")" "$work/s.lkh" eXaMpLe
check "found says nothing" "" "$err"
expect "escaped as dump escapes" 0 "$(line 'Tab\tname' "http://tab/" Mail "")" "$work/s.lkh" "B"$'\t'"N"
expect "--group, letter case ignored" 0 "$site
$second" "$work/s.lkh" example --group WEB
expect "--group without match" 1 "" "$work/s.lkh" example --group Nowhere
expect "empty text, group of no entry" 0 "$flag" "$work/s.lkh" "" --group lost
expect "text after --" 0 "$flag" "$work/s.lkh" -- --FLAG

# Arguments and output in another script, under Windows too: a shortcut
# named and addressed in Cyrillic, dropped, then found by a word of its name
# (in a UTF-8 locale, without which Wine hands over no such argument).
LC_ALL=C.UTF-8 run write-url "http://пример.рф/новости" "$work/Новости России"
LC_ALL=C.UTF-8 run drop "$work/u.lkh" "$work/Новости России.url"
LC_ALL=C.UTF-8 expect "a word in another script" 0 "$(line "Новости России" "http://пример.рф/новости" "New Group" "")" \
  "$work/u.lkh" России

expect "no match" 1 "" "$work/s.lkh" "no such text"
check "no match output bytes" "" "$(od -An -c "$work/out")"
check "no match message" "" "$(od -An -c "$work/err")"

expect "missing store" 2 "" "$work/missing.lkh" example
check "missing store message" 'missing.lkh\nCannot find this file.\nPlease verify that the correct path and file name are given.' "$err"
check "missing store is not created" "no" "$([ -e "$work/missing.lkh" ] && echo yes || echo no)"

head -c 20 "$work/s.lkh" >"$work/damaged.lkh"
expect "damaged store" 2 "" "$work/damaged.lkh" example
check "damaged store message" "Unexpected file format." "$err"

for usage in "find" "find s.lkh" "find s.lkh a b" "find s.lkh a --group" "find s.lkh a --v20" "find s.lkh --flag"; do
  run $usage
  check "usage '$usage'" 2 "$status"
done

# open: Quick Open's ranking, the best one's URL only.
store "$work/q.lkh" 2 Docs Rust \
  "The Rust Book" "http://doc.rust-lang.org/book/" Docs "" \
  "Crates" "http://crates.io/" Rust "" \
  "Rust" "http://www.rust-lang.org/" Docs "" \
  "Tab" "http://tab/"$'\t'"x" Docs ""
for case in "rust|http://www.rust-lang.org/" "BOOK rust|http://doc.rust-lang.org/book/" "crates rust|http://crates.io/" \
  "io  docs|" "tab|http://tab/\\tx" "zebra|"; do
  run open "$work/q.lkh" ${case%%|*}
  check "open '${case%%|*}' output" "${case#*|}" "$out"
  check "open '${case%%|*}' status" "$([ -n "${case#*|}" ] && echo 0 || echo 1)" "$status"
done
run open "$work/q.lkh" "Book The"
check "open, words in one argument" "http://doc.rust-lang.org/book/" "$out"
if [[ $cli != *wine* ]]; then  # no browser to hand it to here; under Wine one would start
  run open "$work/q.lkh" rust --launch
  check "open --launch without a browser" "1 There is no programme for internet browsing.\nCannot connect" "$status $err"
fi
for usage in "open" "open q.lkh" "open q.lkh a --group x"; do
  run $usage
  check "usage '$usage'" 2 "$status"
done

finish "find"
