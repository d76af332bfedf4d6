#!/bin/bash
# A user's own hands on the real program: keys and mouse clicks from xdotool
# on a virtual display. Adds a bookmark with Insert, renames it with F2,
# opens it with a double click (a stand-in browser records it), moves it to
# another group with Ctrl+X and Ctrl+V, saves with Ctrl+S, and compares the
# saved file. Every step leaves a screenshot in SHOTS; every wait gives up
# after its time, naming the step.
#   real_input.sh PREFIX LINKHIVE.EXE LINKHIVE-CLI.EXE BROWSER.EXE SHOTS
set -u
if [ "${1:-}" != --on-display ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --on-display "$@"
fi
shift
export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
program=$2 cli=$3 browser=$4 shots=$5
wine=/usr/lib/wine/wine64 server=/usr/lib/wine/wineserver
# The selection colour of every list and edit, found on the screen to tell
# where the selected row is and that a window has the focus.
mark='#FF00FF'

windows_path() { echo "Z:${1//\//\\}"; }
work=$(mktemp -d)
trap '"$server" -k </dev/null >/dev/null 2>&1; rm -rf "$work"' EXIT
rm -rf "$shots"
mkdir -p "$shots"

step=start shot_number=0
shot() {  # shot NAME: the screen now, numbered
  shot_number=$((shot_number + 1))
  timeout 20 import -window root "$shots/$(printf %02d $shot_number)-$1.png" 2>/dev/null
}
fail() {
  echo "real_input: step '$step' failed: $*${detail:+ ($detail)}"
  shot "failed-$step"
  echo "screenshots in $shots"
  exit 1
}
wait_for() {  # wait_for SECONDS WHAT COMMAND...: until COMMAND succeeds
  local seconds=$1 deadline=$((SECONDS + $1)) what=$2
  shift 2
  until "$@"; do
    [ $SECONDS -lt $deadline ] || fail "no $what after ${seconds} s"
    sleep 0.2
  done
}
visible() { timeout 5 xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
gone() { ! visible "$1"; }
# The box around the selection colour on the screen: "W H X Y", or nothing.
marked_box() {
  timeout 20 import -window root "$work/screen.png" 2>/dev/null || return
  convert "$work/screen.png" -fill black +opaque "$mark" -fill white -opaque "$mark" -trim \
    -format '%w %h %X %Y\n' info: 2>/dev/null | tr -d + | awk '$3 >= 0 && $4 >= 0'
}
marked() { box=$(marked_box) && [ -n "$box" ]; }
unmarked() { ! marked; }
marked_below() { marked && [ "$(echo "$box" | cut -d' ' -f4)" -gt "$1" ]; }
key() { timeout 10 xdotool key --delay 60 "$@" || fail "xdotool key $*"; }
type_text() { timeout 30 xdotool type --delay 40 "$1" || fail "xdotool type $1"; }

# A private prefix drawing on this display, inside a Wine desktop.
"$server" -k </dev/null >/dev/null 2>&1
"$server" -w </dev/null >/dev/null 2>&1
mkdir -p "$WINEPREFIX"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  timeout 300 "$wine" wineboot -i </dev/null >/dev/null 2>&1
  [ $? -ne 124 ] || fail "making the prefix took over 300 s"
  "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11 /f </dev/null >/dev/null 2>&1
  "$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
  "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f </dev/null >/dev/null 2>&1
  "$server" -k </dev/null >/dev/null 2>&1
  "$server" -w </dev/null >/dev/null 2>&1
fi
timeout 300 "$wine" wineboot </dev/null >/dev/null 2>&1
[ $? -ne 124 ] || fail "starting Wine took over 300 s"
# Default settings, the selection colour, and the stand-in browser registered for web addresses.
"$wine" reg add 'HKCU\Control Panel\Colors' /v Hilight /d '255 0 255' /f </dev/null >/dev/null 2>&1
"$wine" reg delete 'HKCU\Software\Quillmere' /f </dev/null >/dev/null 2>&1
"$wine" reg add 'HKLM\Software\Classes\ftp\shell\open\command' /ve \
  /d "\"$(windows_path "$browser")\" \"%1\"" /f </dev/null >/dev/null 2>&1 || fail "registering the browser"

# Groups Alpha (empty) and Beta, which holds "Old".
printf '\0\0\0\0\1\0\0\0\5Alpha\4Beta\3Old\23http://old.example/\4Beta\0' >"$work/start.lkh"
export LINKHIVE_BROWSER_LOG
LINKHIVE_BROWSER_LOG=$(windows_path "$work/browser.log")
"$wine" "$program" "$(windows_path "$work/start.lkh")" </dev/null >"$work/program.out" 2>&1 &

step=start
wait_for 60 "main window" visible "start.lkh - Linkhive"
frame=$(timeout 5 xdotool search --onlyvisible --name "^start.lkh - Linkhive\$" | head -1)
timeout 5 xdotool mousemove 1000 750
timeout 10 xdotool windowfocus --sync "$frame" || fail "focusing the main window"
# Group Alpha selected in the focused group pane.
wait_for 30 "selected group" marked
shot started

step=insert
key Insert
wait_for 30 "URL Properties sheet" visible "URL Properties"
# The name field has the focus, its text selected.
wait_for 30 "selected name" marked
shot sheet
type_text "Hive Docs"
key Tab
type_text "http://docs.example/hive"
shot typed
# Tab leaves the URL field for OK, which Enter presses.
key Tab Return
wait_for 30 "sheet closing" gone "URL Properties"
shot added

step=select
# Tab switches to the item pane; Home selects its first (only) row.
key Tab
wait_for 30 "group pane losing the focus" unmarked
key Home
wait_for 30 "selected bookmark" marked
shot selected

step=rename
key F2
sleep 0.5
type_text "Hive Manual"
key Return
wait_for 30 "renamed bookmark selected" marked
shot renamed

step=open
read -r width height left top <<<"$box"
timeout 10 xdotool mousemove $((left + width / 2)) $((top + height / 2)) click --repeat 2 --delay 80 1 ||
  fail "double click"
wait_for 60 "browser started" test -f "$work/browser.log"
shot opened
opened=$(tr '\0' '\n' <"$work/browser.log" | tail -n 1)
[ "$opened" == "http://docs.example/hive" ] || fail "the browser got '$opened'"

step=move
key ctrl+x
shot cut
# Back to the group pane (Alpha still marked there), then down to Beta.
key Tab
wait_for 30 "group pane focused" marked
alpha_top=$(echo "$box" | cut -d' ' -f4)
key Down
wait_for 30 "group Beta selected" marked_below "$alpha_top"
shot beta
key ctrl+v
shot pasted

step=save
expected=$(printf 'group\tAlpha\ngroup\tBeta\nitem\tOld\thttp://old.example/\tBeta\t\nitem\tHive Manual\thttp://docs.example/hive\tBeta\t')
saved() {
  actual=$("$wine" "$cli" dump "$(windows_path "$work/start.lkh")" 2>&1 </dev/null | tr -d '\r')
  detail="last dump: $(printf %q "$actual")"
  [ "$actual" == "$expected" ]
}
key ctrl+s
wait_for 60 "saved file as expected" saved
shot saved
echo "real_input: passed (screenshots in $shots)"
