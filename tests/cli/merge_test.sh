#!/bin/bash
# linkhive-cli merge, by itself and as git's merge driver in a real git
# merge: merge_test.sh "COMMAND PREFIX" (the CLI's path, or a Wine launcher
# followed by it).
set -u
export LC_ALL=C
cli=$1
. "$(dirname "$0")/lib.sh"
cd "$work" || exit 1

one=(One http://one/ Web "")
two=(Two http://two/ Web "")
store base.lkh 1 Web "${one[@]}" "${two[@]}"
store ours.lkh 1 Web "${one[@]}" "${two[@]}" Three http://three/ Web ""
store theirs.lkh 2 Web News "${one[@]}" Four http://four/ News ""
run merge base.lkh ours.lkh theirs.lkh
check "merged: status" 0 "$status"
check "merged: silent" "" "$out$err"
run dump ours.lkh
check "merged: ours' additions, theirs' addition and removal" "$(printf 'group\tWeb\ngroup\tNews\n')
$(line One http://one/ Web "")
$(line Three http://three/ Web "")
$(line Four http://four/ News "")" "$out"

store ours.lkh 1 Web "One (ours)" http://one/ Web "" "${two[@]}"
store theirs.lkh 1 Web "One (theirs)" http://one/ Web "" "${two[@]}"
run merge base.lkh ours.lkh theirs.lkh
check "changed on both sides: status" 1 "$status"
check "changed on both sides: summary" \
  "Merged the changes made elsewhere: 0 bookmarks added, 0 removed, 1 kept in two versions." "$err"
run dump ours.lkh
check "changed on both sides: both versions written" "$(printf 'group\tWeb\n')
$(line "One (ours)" http://one/ Web "")
$(line "One (theirs)" http://one/ Web "")
$(line Two http://two/ Web "")" "$out"

: >empty.lkh
cp base.lkh before.lkh
run merge empty.lkh before.lkh theirs.lkh
check "no common base (git's empty file): both sides' bookmarks" 0 "$status"
run stats before.lkh
check "no common base: what both have, once" "groups 1 items 3" "$out"

head -c 12 base.lkh >damaged.lkh
cp base.lkh kept.lkh
run merge base.lkh kept.lkh damaged.lkh
check "damaged THEIRS: status" 2 "$status"
check "damaged THEIRS: message" "Unexpected file format." "$err"
check "damaged THEIRS: OURS untouched" "$(od -An -tx1 base.lkh)" "$(od -An -tx1 kept.lkh)"
run merge missing.lkh kept.lkh base.lkh
check "missing BASE: status" 2 "$status"
for usage in "merge" "merge a b" "merge a b c d" "merge a b c --v20"; do
  run $usage
  check "usage '$usage'" 2 "$status"
done

# Two branches change one collection; git merges them through the driver.
export GIT_CONFIG_GLOBAL=/dev/null GIT_CONFIG_NOSYSTEM=1
git_in() { git -C repo -c user.name=Test -c user.email=test@example.org -c commit.gpgsign=false "$@"; }
git init -q -b main repo
git_in config merge.linkhive.name "Linkhive collections"
git_in config merge.linkhive.driver "$cli merge %O %A %B"
echo '*.lkh merge=linkhive' >repo/.gitattributes
printf '<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p><DT><H3>Web</H3><DL><p>
<DT><A HREF="http://one/">One</A><DT><A HREF="http://two/">Two</A></DL><p></DL><p>\n' >start.html
run import-netscape repo/links.lkh start.html
check "git: the collection made" 0 "$status"
git_in add .gitattributes links.lkh && git_in commit -qm start

git_in checkout -q -b elsewhere
printf '[InternetShortcut]\r\nURL=http://elsewhere/\r\n' >Elsewhere.url
run drop repo/links.lkh Elsewhere.url --group Web
git_in commit -qam "elsewhere: one added"
git_in checkout -q main
printf '[InternetShortcut]\r\nURL=http://here/\r\n' >Here.url
run drop repo/links.lkh Here.url --group Web
git_in commit -qam "here: one added"

git_in merge -q --no-edit elsewhere >git.out 2>&1
check "git: merge succeeds" "0" "$?"
run dump repo/links.lkh
check "git: both branches' bookmarks" "$(printf 'group\tWeb\n')
$(line One http://one/ Web "")
$(line Two http://two/ Web "")
$(line Here http://here/ Web "")
$(line Elsewhere http://elsewhere/ Web "")" "$out"

# The same bookmark renamed differently on each branch: a conflict for git,
# with both versions in the file.
edit_one() {  # edit_one NAME: the collection with One renamed to NAME
  store repo/links.lkh 1 Web "$1" http://one/ Web "" "${two[@]}" Here http://here/ Web "" \
    Elsewhere http://elsewhere/ Web ""
}
git_in checkout -q -b renamed-elsewhere
edit_one Uno
git_in commit -qam "elsewhere: One is Uno"
git_in checkout -q main
edit_one Eins
git_in commit -qam "here: One is Eins"
git_in merge -q --no-edit renamed-elsewhere >git.out 2>&1
check "git: a conflict" "1" "$?"
check "git: the driver's summary" "1" "$(grep -c 'Merged the changes made elsewhere: 0 bookmarks added, 0 removed, 1 kept in two versions.' git.out)"
check "git: the file unmerged" "UU links.lkh" "$(git_in status --porcelain)"
run dump repo/links.lkh
check "git: both versions kept" "$(printf 'group\tWeb\n')
$(line Eins http://one/ Web "")
$(line Uno http://one/ Web "")
$(line Two http://two/ Web "")
$(line Here http://here/ Web "")
$(line Elsewhere http://elsewhere/ Web "")" "$out"

finish "merge"
