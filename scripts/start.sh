#!/bin/bash
# Installs what is missing, builds linkhive.exe and starts it under Wine with
# the sample collection (or the .lkh file given). With no display it runs on
# a virtual one, saves a screenshot of the main window, prints its path and
# closes the program.
set -euo pipefail

run_on_display() {
  local wine=/usr/lib/wine/wine64 server=/usr/lib/wine/wineserver
  "$server" -k >/dev/null 2>&1 || true
  "$server" -w >/dev/null 2>&1 || true
  "$wine" wineboot -i </dev/null >/dev/null 2>&1 || true
  # Debian's Wine leaves its own fonts out of a new prefix; without them the
  # caption buttons draw as letters.
  cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  local file
  file=$("$wine" winepath -w "$LINKHIVE_SAMPLE" 2>/dev/null)
  if [ -z "${LINKHIVE_HEADLESS:-}" ]; then
    "$wine" "$LINKHIVE_EXE" "$file"
    "$server" -w
    return
  fi
  # The screenshot shows the bookmarks in the details view; the program's
  # own default view is left as it is.
  "$wine" reg add 'HKCU\Software\Quillmere\Linkhive\Settings' /v "View Mode" /t REG_DWORD /d 1 /f \
    </dev/null >/dev/null 2>&1 || true
  "$wine" "$LINKHIVE_EXE" "$file" </dev/null >/dev/null 2>&1 &
  local window=""
  for _ in $(seq 120); do
    window=$(xwininfo -root -tree 2>/dev/null | grep -m1 -E '"[^"]*Linkhive"' | awk '{print $1}') || true
    [ -n "$window" ] && break
    sleep 0.5
  done
  if [ -z "$window" ]; then
    echo "start.sh: the Linkhive window did not appear" >&2
    "$server" -k || true
    return 1
  fi
  sleep 3  # let it paint
  mkdir -p "$(dirname "$LINKHIVE_SHOT")"
  import -window "$window" "$LINKHIVE_SHOT" 2>/dev/null || import -window root "$LINKHIVE_SHOT"
  # The test command looks into the running window here (tests/scripts/start_test.sh).
  if [ -n "${LINKHIVE_START_PROBE:-}" ]; then
    LINKHIVE_WINDOW=$window bash -c "$LINKHIVE_START_PROBE" || { "$server" -k || true; return 1; }
  fi
  # A polite close, as the close box does; then whatever is left goes.
  "$wine" taskkill /im linkhive.exe >/dev/null 2>&1 || true
  for _ in $(seq 20); do
    xwininfo -root -tree 2>/dev/null | grep -q -E '"[^"]*Linkhive"' || break
    sleep 0.5
  done
  "$server" -k >/dev/null 2>&1 || true
  echo "Screenshot of the main window: $LINKHIVE_SHOT"
}

# Under xvfb-run the script comes back here, with the display set.
if [ "${1:-}" = "--on-display" ]; then
  run_on_display
  exit
fi

root=$(cd "$(dirname "$0")/.." && pwd)
build=${LINKHIVE_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" win64 linkhive
sample=$(realpath "${1:-$root/res/sample.lkh}")

# A prefix of its own: the tests' prefix has no graphics driver.
export WINEPREFIX="$build/wine-gui" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LINKHIVE_EXE="$build/win64/linkhive.exe" LINKHIVE_SAMPLE="$sample"
export LINKHIVE_SHOT="$build/screenshots/linkhive.png"
if [ ! -f "$LINKHIVE_EXE" ]; then
  echo "start.sh: the build did not write $LINKHIVE_EXE" >&2
  exit 1
fi
mkdir -p "$WINEPREFIX"

if [ -n "${DISPLAY:-}" ]; then
  run_on_display
else
  LINKHIVE_HEADLESS=1 xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --on-display
fi
