#!/bin/bash
# Shortcut files and HTML pages through linkhive-cli: exchange_test.sh "COMMAND PREFIX"
# (the CLI's path, or a Wine launcher followed by it).
set -u
cli=$1
. "$(dirname "$0")/lib.sh"

shortcut() {  # shortcut FILE URL
  printf '[InternetShortcut]\r\nURL=%s\r\n' "$2" >"$1"
}

# The folder's group name as dump shows it (a backslash doubled).
folder_name() {
  case $cli in
  *wine*) printf 'Z:%s\\\\' "$(printf '%s' "$1" | sed 's|/|\\\\|g')" ;;
  *) printf '%s/' "$1" ;;
  esac
}

store=$work/store.lkh

cd "$work" || exit 1
mkdir drops links empty

# write-url
run write-url "http://a/b?c=d" "$work/plain"
check "write-url status" 0 "$status"
check "write-url bytes" "$(printf '[InternetShortcut]\r\nURL=http://a/b?c=d\r\n' | od -An -tx1)" "$(od -An -tx1 <"$work/plain.url")"
run write-url "http://a/" "$work/no-such-folder/x"
check "write-url to a bad folder status" 1 "$status"
check "write-url to a bad folder names the file" "1" "$(grep -c 'no-such-folder.x\.url' "$work/err")"

# drop into a STORE that does not exist yet
shortcut drops/a.url "http://a/"
shortcut drops/C.URL "http://c/"
echo "not a shortcut" >drops/b.txt
run drop "$store" drops/a.url drops/b.txt drops/C.URL
check "drop status" 0 "$status"
run dump "$store"
check "drop result" $'group\tNew Group\nitem\ta\thttp://a/\tNew Group\t\nitem\tC\thttp://c/\tNew Group\t' "$out"
check "drop keeps sources" "C.URL a.url b.txt" "$(ls drops | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')"

# drop into a named group, deleting the sources after the store is written
shortcut drops/d.url "http://d/"
run drop "$store" drops/d.url drops/b.txt --group Elsewhere --delete-source
check "drop --group status" 0 "$status"
run dump "$store"
check "drop --group item" $'item\td\thttp://d/\tElsewhere\t' "$(grep $'\td\t' <<<"$out")"
check "drop --delete-source" "C.URL a.url b.txt" "$(ls drops | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')"

# the first group in the pane's order is current unless --group names one
run export-group-html "$store" "$work/first"
check "export-group-html takes the first group" "http://a/ http://c/" "$(grep -o 'http://[a-z]/' "$work/first.html" | tr '\n' ' ' | sed 's/ $//')"

# a store that cannot be written keeps its sources
run drop "$work/no-such-folder/store.lkh" drops/a.url --delete-source
check "drop into unwritable store status" 1 "$status"
check "sources stay when the store was not written" "yes" "$([ -f drops/a.url ] && echo yes)"

# Text in any script: arguments, file names and output in UTF-8, the store
# keeping it whole (behind the wide-text mark where the code page fails).
name='Новости 日本語 😀'
mkdir 'Ελληνικά'
run write-url "http://例え.jp/$name" "Ελληνικά/$name"
check "unicode write-url status" 0 "$status"
run import-folder "$work/scripts.lkh" 'Ελληνικά'
check "unicode import-folder status" 0 "$status"
group=$(folder_name "$work/Ελληνικά")
run dump "$work/scripts.lkh"
check "unicode dump" "group	$group"$'\nitem\t'"$name"$'\thttp://例え.jp/'"$name"$'\t'"$group"$'\t' "$out"
run find "$work/scripts.lkh" "日本語"
check "unicode find" "1" "$(grep -c '^item' <<<"$out")"
check "unicode in the file" "yes" "$(grep -q $'\xff\xfe\xff' "$work/scripts.lkh" && echo yes)"
run export-netscape "$work/scripts.lkh" "$work/scripts.htm"
check "unicode browser file" "1" "$(grep -c "$name</A>" "$work/scripts.htm")"

# import-folder with a relative folder and surplus separators
shortcut links/e.url "http://e/"
shortcut links/F.URL "http://f/"
shortcut links/g.urls "http://g/"
group=$(folder_name "$work/links")
run import-folder "$store" links// --delete-source
check "import-folder status" 0 "$status"
run dump "$store"
check "import-folder group" "group	$group" "$(grep -F "group	$group" <<<"$out")"
check "import-folder items" "F http://f/ e http://e/ " \
  "$(grep -F "$group" <<<"$out" | grep '^item' | cut -f2,3 | LC_ALL=C sort | tr '\t\n' '  ')"
check "import-folder --delete-source" "g.urls" "$(ls links)"

before=$(od -An -tx1 <"$work/store.lkh")
run import-folder "$store" empty
check "empty folder status" 1 "$status"
check "empty folder message" "Sorry, no URLs here. Try another folder." "$err"
check "empty folder leaves the store" "$before" "$(od -An -tx1 <"$work/store.lkh")"

# export-html and export-group-html
run export-html "$store" "$work/all.htm"
check "export-html status" 0 "$status"
check "export-html appends .html" "yes" "$([ -f "$work/all.htm.html" ] && echo yes)"
check "export-html leaves the store" "$before" "$(od -An -tx1 <"$work/store.lkh")"
run export-group-html "$store" "$work/group.htm" --group Elsewhere
check "export-group-html status" 0 "$status"
check "export-group-html page" "$(printf '<html>\r\n<body>\r\n\r\n<p><a href="http://d/">d</a></p>\r\n</body>\r\n</html>' | od -An -tx1)" \
  "$(od -An -tx1 <"$work/group.htm")"
run export-html "$work/missing.lkh" "$work/nothing.html"
check "export of a missing store" "$(printf '<html>\r\n<title>Linkhive Bookmarks</title>\r\n<body>\r\n\r\n</body>\r\n</html>' | od -An -tx1)" \
  "$(od -An -tx1 <"$work/nothing.html")"
check "a missing store is not created by an export" "no" "$([ -e "$work/missing.lkh" ] && echo yes || echo no)"

# export-netscape: the name as given, texts escaped, in UTF-8
mkdir netscape
shortcut 'netscape/x&y.url' "http://n/?a=1&b=2"
shortcut 'netscape/secure.url' "https://s/"
run drop "$work/n.lkh" 'netscape/x&y.url' 'netscape/secure.url'
before=$(od -An -tx1 <"$work/n.lkh")
run export-netscape "$work/n.lkh" "$work/marks"
check "export-netscape status" 0 "$status"
check "export-netscape file" "$(printf '%s\r\n' '<!DOCTYPE NETSCAPE-Bookmark-file-1>' \
  '<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=UTF-8">' '<TITLE>Bookmarks</TITLE>' \
  '<H1>Bookmarks</H1>' '<DL><p>' '    <DT><H3>New Group</H3>' '    <DL><p>' \
  '        <DT><A HREF="http://n/?a=1&amp;b=2">x&amp;y</A>' '        <DT><A HREF="https://s/">secure</A>' \
  '    </DL><p>' '</DL><p>' | od -An -tx1)" "$(od -An -tx1 <"$work/marks")"
check "export-netscape leaves the store" "$before" "$(od -An -tx1 <"$work/n.lkh")"
# what Linkhive's own HTML import keeps of it: one group named after the file,
# the http:// links, their texts not unescaped
run import-html back.lkh marks
run dump "$work/back.lkh"
check "export-netscape read back by import-html" $'group\tmarks\nitem\tx&amp;y\thttp://n/?a=1&amp;b=2\tmarks\t' "$out"
run export-netscape "$work/missing.lkh" "$work/none.htm"
check "export-netscape of a missing store status" 0 "$status"
check "export-netscape of a missing store" "0" "$(grep -c '<DT>' "$work/none.htm")"
check "a missing store is not created by export-netscape" "no" "$([ -e "$work/missing.lkh" ] && echo yes || echo no)"
run export-netscape "$work/n.lkh" "$work/no-such-folder/marks.htm"
check "export-netscape to a bad folder status" 1 "$status"
check "export-netscape to a bad folder names the file" "1" "$(grep -c 'no-such-folder.marks\.htm' "$work/err")"

# a STORE that cannot be read stays as it is
printf '\0\0\0\0\0\0\0\0\tNew Group' >"$work/damaged.lkh"
run drop "$work/damaged.lkh" drops/a.url --delete-source
check "damaged store status" 1 "$status"
check "damaged store message" "Unexpected file format." "$err"
check "damaged store untouched" "$(printf '\0\0\0\0\0\0\0\0\tNew Group' | od -An -tx1)" "$(od -An -tx1 <"$work/damaged.lkh")"
check "damaged store keeps sources" "yes" "$([ -f drops/a.url ] && echo yes)"

for usage in "drop s" "import-folder s" "import-folder s d e" "write-url u" "export-html s" "export-html s o --group x" \
  "drop s f --group" "write-url u o --delete-source" "export-group-html s" "export-netscape s" \
  "export-netscape s o p" "export-netscape s o --group x"; do
  run $usage
  check "usage '$usage'" 2 "$status"
done

finish "exchange"
