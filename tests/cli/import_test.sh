#!/bin/bash
# The import subcommands driven as a user would: import_test.sh "COMMAND PREFIX"
# (the CLI's path, or a Wine launcher followed by it). Works in a folder of
# its own with relative names, so group names read alike on every platform.
set -u
cli=$1
. "$(dirname "$0")/lib.sh"
cd "$work" || exit 1

dump() {  # dump FILE: the collection as the dump subcommand prints it (or its message)
  run dump "$1"  # run tries again when Wine fails to start the program
  printf '%s%s' "$out" "$err"
}

printf '<DT><A HREF="http://a.example/" ADD_DATE="1">Alpha</A>\r\n<a href="HTTP://A.EXAMPLE/">no</a>\n<a href="http://b.example/">Beta <b>!</b></a>' >links.htm
printf '<p>https://secure.example/</p>\n' >plain.htm

run import-html store.lkh links.htm
check "html into new store status" 0 "$status"
check "html into new store" $'group\tlinks.htm\nitem\tAlpha\thttp://a.example/\tlinks.htm\t\nitem\tBeta \thttp://b.example/\tlinks.htm\t' "$(dump store.lkh)"

run import-html store.lkh links.htm
check "html again status" 0 "$status"
check "html again reports each link" 'The following URL exists already in your database:\nhttp://a.example/
The following URL exists already in your database:\nhttp://b.example/' "$err"
check "html again adds a group only" $'group\tlinks.htm\ngroup\tlinks.htm' "$(dump store.lkh | grep '^group')"

cp store.lkh before.lkh
run import-html store.lkh missing.htm
check "missing page status" 1 "$status"
check "missing page message" "missing.htm was not found." "$err"
check "missing page leaves store" "$(od -An -tx1 before.lkh)" "$(od -An -tx1 store.lkh)"

run import-html store.lkh plain.htm
check "page without links status" 0 "$status"
check "page without links message" 'There are no URLs, sorry.\n Please, contact the developer' "$err"
check "page without links keeps its group" "plain.htm" "$(dump store.lkh | grep '^group' | tail -1 | cut -f2)"

printf '\0\0\0\0\0\0\0\0\tNew Group' >damaged.lkh
cp damaged.lkh damaged-before.lkh
run import-html damaged.lkh links.htm
check "damaged store status" 1 "$status"
check "damaged store message" "Unexpected file format." "$err"
check "damaged store untouched" "$(od -An -tx1 damaged-before.lkh)" "$(od -An -tx1 damaged.lkh)"

run import-html no-such-folder/store.lkh links.htm
check "unwritable store status" 1 "$status"
check "unwritable store message" 'store.lkh\nCannot find this file.\nPlease verify that the correct path and file name are given.' "$err"

printf 'Name,E-mail Address\r\nAnn,ann@example.com,555\r\n"Doe, John",john@example.com\r\n' >book.csv
printf 'name,e-mail address\nAnn,a@x\n' >wrong.csv
run import-csv mail.lkh book.csv
check "csv status" 0 "$status"
check "csv" $'group\tbook.csv\nitem\tAnn\tmailto:ann@example.com,555\tbook.csv\t\nitem\tDoe, John\tmailto:john@example.com\tbook.csv\t' "$(dump mail.lkh)"
run import-csv other.lkh wrong.csv
check "not an address book status" 1 "$status"
check "not an address book message" "It is not an address book!" "$err"
check "not an address book writes no store" "no" "$([ -e other.lkh ] && echo yes || echo no)"

printf '[News]\r\nPaper=http://p/?a=b\r\nbare\r\n[Mail]\x1a\nlost=http://l/\n' >set.mbx
printf 'item=first\n[G]\n' >bad.mbx
printf '=only ignored lines\n' >nogroups.mbx
run import-mbx set out.lkh
check "mbx status" 0 "$status"
check "mbx" $'group\tNews\ngroup\tMail\nitem\tPaper\thttp://p/?a=b\tNews\t\nitem\t\tbare\tNews\t' "$(dump out.lkh)"
run import-mbx bad.mbx bad.lkh
check "mbx wrong format status" 1 "$status"
check "mbx wrong format message" "Wrong file format." "$err"
check "mbx wrong format writes nothing" "no" "$([ -e bad.lkh ] && echo yes || echo no)"
run import-mbx missing.mbx missing.lkh
check "mbx missing status" 1 "$status"
check "mbx missing message" "Wrong file format." "$err"
run import-mbx nogroups.mbx nogroups.lkh
check "mbx without groups status" 0 "$status"
check "mbx without groups is silent" "" "$err"

# import-netscape: folders as groups, every scheme, references decoded,
# UTF-8 into the code page, repeated and internal links counted
printf '%s\n' '<!DOCTYPE NETSCAPE-Bookmark-file-1>' \
  '<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=UTF-8">' '<DL><p>' '<DT><H3>Bar</H3>' '<DL><p>' >browser.htm
printf '<DT><A HREF="https://a.example/?x=1&amp;y=2">Caf\xc3\xa9 &amp; more</A>\n' >>browser.htm
printf '%s\n' '<DD>about a' '<DT><H3>Tools</H3>' '<DL><p>' '<DT><A HREF="ftp://f.example/">F' '</DL><p>' '</DL><p>' \
  '<DT><A HREF="HTTPS://A.EXAMPLE/?x=1&y=2">again</A>' '<DT><A HREF="place:sort=8">recent</A>' '</DL><p>' >>browser.htm
run import-netscape ns.lkh browser.htm
check "netscape status" 0 "$status"
check "netscape summary" 'Imported 2 bookmarks into 2 groups. 0 were already in the collection. 1 was repeated in the file.\n1 link was not imported (an empty or internal address).' "$out"
check "netscape" $'group\tBar\ngroup\tBar / Tools\nitem\tCaf\xc3\xa9 & more\thttps://a.example/?x=1&y=2\tBar\tabout a\nitem\tF\tftp://f.example/\tBar / Tools\t' "$(dump ns.lkh)"
cp ns.lkh ns-before.lkh
run import-netscape ns.lkh browser.htm
check "netscape again status" 0 "$status"
check "netscape again summary" 'Imported 0 bookmarks into 0 groups. 3 were already in the collection.\n1 link was not imported (an empty or internal address).' "$out"
check "netscape again leaves the store" "$(od -An -tx1 ns-before.lkh)" "$(od -An -tx1 ns.lkh)"
run export-netscape ns.lkh exported.htm
run import-netscape back.lkh exported.htm
check "netscape round trip" "$(dump ns.lkh | sort)" "$(dump back.lkh | sort)"
check "netscape export nests Bar / Tools" 1 "$(grep -c '^        <DT><H3>Tools</H3>' exported.htm)"
run import-netscape ns.lkh plain.htm
check "not a bookmark file status" 1 "$status"
check "not a bookmark file message" "This is not a bookmark file of a web browser." "$err"
check "not a bookmark file leaves the store" "$(od -An -tx1 ns-before.lkh)" "$(od -An -tx1 ns.lkh)"
run import-netscape ns.lkh missing.htm
check "netscape missing file status" 1 "$status"
check "netscape missing file message" "missing.htm was not found." "$err"

for usage in "import-html store.lkh" "import-csv a b c" "import-mbx set.mbx" "import-html a b --group G" \
  "import-netscape ns.lkh" "import-netscape a b c"; do
  run $usage
  check "usage '$usage'" 2 "$status"
done

# The browsers' own files: each read from the kept samples, refused when of
# another kind, and written back to be read alike.
data="$(cd "$(dirname "$0")/../data/browser-formats" && pwd)"
cp "$data/Bookmarks" "$data/firefox-backup.json" "$data/bookmarks.xbel" .
for kind in chromium:Bookmarks:7:6 firefox:firefox-backup.json:4:4 xbel:bookmarks.xbel:3:3; do
  IFS=: read -r name file links distinct <<<"$kind"
  run "import-$name" "b-$name.lkh" "$file"
  check "$name status" 0 "$status"
  check "$name items" "$distinct" "$(dump "b-$name.lkh" | grep -c '^item')"
done
run import-xbel b-xbel.lkh Bookmarks
check "not xbel status" 1 "$status"
check "not xbel message" "This is not an XBEL bookmark file." "$err"
for name in xbel chromium; do
  run "export-$name" b-chromium.lkh "out-$name"
  check "export $name status" 0 "$status"
  run "import-$name" "back-$name.lkh" "out-$name"
  check "$name round trip" "$(dump b-chromium.lkh | sort)" "$(dump "back-$name.lkh" | sort)"
done

finish "import cli"
