#!/bin/bash
# The README's run command as a newcomer runs it after the build: no display,
# the sample collection. The screenshot it writes must be the main window,
# whole, and the window must have listed the sample's groups and the current
# group's bookmarks (read from the running panes through window_driver).
#   start_test.sh BUILD_ROOT      the folder holding win64/ and native/
set -uo pipefail
if [ "${1:-}" = --probe ]; then
  # Runs inside start.sh while the window is up (LINKHIVE_START_PROBE).
  out=$2 driver=$3 first_pane=$4
  wine=/usr/lib/wine/wine64
  drive() { timeout 60 "$wine" "$driver" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
  drive rect class:LinkhiveFrame 10 >"$out/rect"
  xwininfo -id "$LINKHIVE_WINDOW" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }' >"$out/x-window"
  drive items class:LinkhiveFrame "$first_pane" >"$out/groups"
  drive items class:LinkhiveFrame $((first_pane + 1)) >"$out/items"
  exit 0
fi
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:?usage: start_test.sh BUILD_ROOT}" && pwd)
out=$(mktemp -d)
trap '[ -n "${KEEP:-}" ] || rm -rf "$out"' EXIT
fail() { echo "start_test: $*" >&2; exit 1; }
first_pane=$(awk '$1 == "#define" && $2 == "IDW_FIRST_PANE" { print $3 }' "$root/framework/StandardIds.h")

export LINKHIVE_BUILD_DIR=$build
export LINKHIVE_START_PROBE="bash '$0' --probe '$out' '$build/win64/tests/window_driver.exe' $((first_pane))"
env -u DISPLAY bash "$root/scripts/start.sh" >"$out/log" 2>&1
status=$?
cat "$out/log"
[ $status -eq 0 ] || fail "start.sh ended with status $status"
shot=$(sed -n 's/^Screenshot of the main window: //p' "$out/log")
[ -f "$shot" ] || fail "start.sh named no screenshot that exists ('$shot')"

# With no window manager on the display, the X window is the frame less the
# caption and borders a manager would draw; the picture must be all of it.
size=$(identify -format '%wx%h' "$shot")
read -r width height < <(sed -E 's/^([0-9]+)x([0-9]+).*/\1 \2/' "$out/rect")
[ -n "${width:-}" ] || fail "the main window was not found while start.sh ran"
[ "$size" = "$(cat "$out/x-window")" ] || fail "the screenshot is $size, the window on the display $(cat "$out/x-window")"
read -r x_width x_height < <(tr x ' ' <"$out/x-window")
[ $((width - x_width)) -ge 0 ] && [ $((width - x_width)) -le 32 ] && [ $((height - x_height)) -ge 0 ] &&
  [ $((height - x_height)) -le 64 ] || fail "the screenshot ($size) is not the main window (${width}x$height)"
colours=$(identify -format '%k' "$shot")
[ "$colours" -ge 16 ] || fail "the screenshot has $colours colours: an empty window"

# The sample's groups, and the bookmarks of the group shown, as the CLI reads the file.
"$build/native/linkhive-cli" dump "$root/res/sample.lkh" >"$out/dump" || fail "linkhive-cli could not read the sample"
awk -F'\t' '$1 == "group" { print $2 }' "$out/dump" | sort >"$out/expected-groups"
sort "$out/groups" | diff "$out/expected-groups" - >&2 || fail "the group pane does not list the sample's groups"
[ -s "$out/items" ] || fail "the item pane is empty"
group=$(awk -F'\t' 'NR == FNR { shown[$0] = 1; next } $1 == "item" && shown[$2] { print $4; exit }' "$out/items" "$out/dump")
awk -F'\t' -v group="$group" '$1 == "item" && $4 == group { print $2 }' "$out/dump" | sort >"$out/expected-items"
sort "$out/items" | diff "$out/expected-items" - >&2 || fail "the item pane does not list group '$group' of the sample"
echo "start_test: the window (${width}x$height, $size on the display) showed $(wc -l <"$out/groups") groups and the $(wc -l <"$out/items") bookmarks of '$group'"
