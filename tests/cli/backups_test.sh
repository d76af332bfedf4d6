#!/bin/bash
# linkhive-cli backups and restore, driven as a user would: backups_test.sh
# "COMMAND PREFIX" (the CLI's path, or a Wine launcher followed by it).
set -u
export LC_ALL=C
cli=$1
. "$(dirname "$0")/lib.sh"
export LINKHIVE_BACKUP_DIR="$work/backups"

store "$work/s.lkh" 1 Web "Site" "http://a/" Web ""
store "$work/other.lkh" 2 A B "x" "http://x/" A "" "y" "http://y/" B "" "z" "http://z/" B ""
cp "$work/s.lkh" "$work/first.lkh"
bytes() { od -An -tx1 "$1"; }
listed() {  # listed STORE: "GROUPS BOOKMARKS" of each line, or what is wrong with its form
  run backups "$1"
  check "backups $1 status" 0 "$status"
  [ -n "$out" ] || return
  while IFS=$'\t' read -r stamp groups bookmarks path; do
    [[ $stamp =~ ^[0-9]{4}-[0-9]{2}-[0-9]{2}\ [0-9]{2}:[0-9]{2}:[0-9]{2}$ ]] || check "time of $path" "a time" "$stamp"
    [[ ${path##*[\\/]} =~ ^[0-9]{4}-[0-9]{2}-[0-9]{2}\ [0-9]{2}-[0-9]{2}-[0-9]{2}(\ \([0-9]+\))?\.lkh$ ]] ||
      check "name of $path" "a dated name" "$path"
    echo "$groups $bookmarks"
  done <<<"$out"
}

check "none kept yet" "" "$(listed "$work/s.lkh")"

# Any collection goes back in the file's place, the current one kept first.
run restore "$work/s.lkh" "$work/other.lkh"
check "restore a file status" "0 " "$status $err"
check "restored bytes" "$(bytes "$work/other.lkh")" "$(bytes "$work/s.lkh")"
check "the replaced file kept" "1 1" "$(listed "$work/s.lkh")"
check "kept in the store's own folder" "s.lkh-" "$(ls "$work/backups" | cut -c1-6)"
run backups "$work/s.lkh"
kept=$(cut -f4 <<<"$out")

# By number, newest first, and by the path as listed.
run restore "$work/s.lkh" 1
check "restore by number status" 0 "$status"
check "restored by number" "$(bytes "$work/first.lkh")" "$(bytes "$work/s.lkh")"
check "newest first" "2 3
1 1" "$(listed "$work/s.lkh")"
run restore "$work/s.lkh" "$kept"
check "restore by listed path status" "0 " "$status $err"
check "restored by listed path" "$(bytes "$work/first.lkh")" "$(bytes "$work/s.lkh")"
three="1 1
2 3
1 1"
check "kept again" "$three" "$(listed "$work/s.lkh")"
run restore "$work/s.lkh" 2
check "restored the second" "$(bytes "$work/other.lkh")" "$(bytes "$work/s.lkh")"
check "the same bytes are not kept twice" "$three" "$(listed "$work/s.lkh")"

# A deleted collection comes back.
rm "$work/s.lkh"
run restore "$work/s.lkh" 1
check "restore a deleted store status" 0 "$status"
check "restored a deleted store" "$(bytes "$work/first.lkh")" "$(bytes "$work/s.lkh")"

# Failures change nothing.
head -c 12 "$work/other.lkh" >"$work/damaged.lkh"
run restore "$work/s.lkh" "$work/damaged.lkh"
check "damaged backup" "1 Unexpected file format." "$status $err"
run restore "$work/s.lkh" 4
check "no such number" "1 $work/s.lkh has no backup 4" "$status $err"
run restore "$work/s.lkh" "$work/gone.lkh"
check "missing backup status" 1 "$status"
check "failures leave the store" "$(bytes "$work/first.lkh")" "$(bytes "$work/s.lkh")"
check "failures keep nothing" "$three" "$(listed "$work/s.lkh")"
check "another store has none" "" "$(listed "$work/other.lkh")"

for usage in "backups" "backups a b" "restore a" "restore a b c" "backups a --v20"; do
  run $usage
  check "usage '$usage'" 2 "$status"
done

finish "backups"
