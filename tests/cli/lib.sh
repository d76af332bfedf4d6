# Shared by the CLI test scripts: a counted check and the closing line.
failures=0
passes=0

check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" == "$3" ]; then
    passes=$((passes + 1))
  else
    failures=$((failures + 1))
    printf 'FAIL %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
  fi
}

finish() {  # finish NAME: prints the tally; fails when any check did
  echo "$1: $passes passed, $failures failed"
  [ "$failures" -eq 0 ]
}
