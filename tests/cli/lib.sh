# Shared by the CLI test scripts, sourced after setting `cli` (the CLI's
# path, or a Wine launcher followed by it): a temporary folder `work`
# removed on exit, the `run` helper, a counted check, the closing line, and
# helpers that write small data files and the lines dump prints for items.
work=$(mktemp -d)
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT

run() {  # run ARGS...: sets status, out and err (carriage returns dropped); the bytes stay in $work/out and $work/err
  local try
  for try in 1 2; do
    $cli "$@" >"$work/out" 2>"$work/err"
    status=$?
    # Wine now and then fails to start a program at all: status 1 with no
    # output, or its own client error. Once more tells that from the CLI,
    # which never fails silently and would fail the same way again.
    [[ $cli == *wine* && $status -eq 1 && ! -s $work/out ]] || break
    [[ ! -s $work/err ]] || grep -q '^wine client error' "$work/err" || break
  done
  out=$(tr -d '\r' <"$work/out")
  err=$(tr -d '\r' <"$work/err")
}

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

line() {  # line NAME URL GROUP DESCRIPTION: one line as dump prints an item
  printf 'item\t%s\t%s\t%s\t%s' "$1" "$2" "$3" "$4"
}
