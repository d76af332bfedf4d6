#!/bin/bash
# linkhive-cli check, driven as a user would, against an HTTP server of its
# own on 127.0.0.1: check_test.sh "COMMAND PREFIX" (the CLI's path, or a
# Wine launcher followed by it).
set -u
export LC_ALL=C
cli=$1
. "$(dirname "$0")/lib.sh"

server="python3 $(dirname "$0")/../support/link_server.py --port-file $work/ports"
$server --background --lifetime 120 >/dev/null
read -r closed port <"$work/ports"
site=http://127.0.0.1:$port

store "$work/s.lkh" 3 Web Dead Mail \
  "Fine" "$site/ok" Web "" \
  "Moved" "$site/moved" web "" \
  "Gone" "$site/404" Dead "" \
  "Busy" "$site/503" Web "" \
  "Mail" "mailto:a@b" Web "" \
  "Closed" "http://127.0.0.1:$closed/" Dead "" \
  "File transfer" "ftp://127.0.0.1/" Dead "" \
  "Tab" "$site/ok"$'\t'"x" Dead "" \
  "Slow" "$site/slow" Dead ""
cp "$work/s.lkh" "$work/before.lkh"

run check "$work/s.lkh" --timeout 5
check "whole store status" 1 "$status"
check "whole store, lines in store order" "MOVED	$site/moved	$site/ok
BROKEN	$site/404	404
BUSY	$site/503	503
UNREACHABLE	http://127.0.0.1:$closed/	connection refused
UNREACHABLE	$site/ok\\tx	bad address
UNREACHABLE	$site/slow	timed out" "$out"
check "whole store summary" "7 checked: 1 OK, 1 moved, 1 broken, 1 busy, 3 unreachable; 2 not checked" "$err"

run check "$work/s.lkh" --group WEB --jobs 1
check "moved and busy pass" 0 "$status"
check "--group output" "MOVED	$site/moved	$site/ok
BUSY	$site/503	503" "$out"
check "--group summary" "3 checked: 1 OK, 1 moved, 0 broken, 1 busy, 0 unreachable; 1 not checked" "$err"
check "the store is not written" "" "$(cmp "$work/before.lkh" "$work/s.lkh" 2>&1)"

run check "$work/missing.lkh"
check "missing store" 2 "$status"
check "missing store is not created" "no" "$([ -e "$work/missing.lkh" ] && echo yes || echo no)"
head -c 20 "$work/s.lkh" >"$work/damaged.lkh"
run check "$work/damaged.lkh"
check "damaged store" 2 "$status"
check "damaged store message" "Unexpected file format." "$err"

for usage in "check" "check s.lkh t.lkh" "check s.lkh --jobs" "check s.lkh --jobs 0" "check s.lkh --jobs 257" \
  "check s.lkh --jobs x" "check s.lkh --timeout 0" "check s.lkh --timeout 1s" "check s.lkh --v20"; do
  run $usage
  check "usage '$usage'" 2 "$status"
done

$server --stop
finish "check"
