#!/bin/bash
# Takes the README's pictures into docs/screenshots/: the main window at 96,
# 144 and 192 DPI, and at 96 DPI the Find and Check Links dialogs, the URL
# Properties sheet and the tray menu. Runs the built program with the sample
# collection in a Wine prefix of its own on a virtual display, the DPI set
# as Windows keeps it (LogPixels); the window_driver of the same build opens
# the dialogs. Every wait has a time limit.
#   screenshots.sh [BUILD_DIR]      (default build/win64, built beforehand)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "${1:-}" != --on-display ]; then
  exec xvfb-run -a -s "-screen 0 1600x1200x24" "$0" --on-display "$(cd "${1:-$root/build/win64}" && pwd)"
fi
build=$2
out=$root/docs/screenshots
work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64 server=/usr/lib/wine/wineserver
driver_exe=$build/tests/window_driver.exe
for file in "$build/linkhive.exe" "$driver_exe"; do
  [ -f "$file" ] || { echo "screenshots.sh: $file is missing; build win64 first" >&2; exit 2; }
done

stop_wine() {
  timeout 30 "$server" -k </dev/null >/dev/null 2>&1 || true
  timeout 30 "$server" -w </dev/null >/dev/null 2>&1 || true
}
trap 'stop_wine; rm -rf "$work"' EXIT

quiet() { timeout 120 "$@" </dev/null >/dev/null 2>&1 || true; }
driver() { timeout 60 "$wine" "$driver_exe" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
post() { driver post "$@" >/dev/null; }

# Windows' messages the script sends, and the program's own numbers as its
# headers name them.
WM_KEYDOWN=0x100 WM_COMMAND=0x111 WM_SYSCOMMAND=0x112 WM_RBUTTONUP=0x205
SC_MINIMIZE=0xF020 VK_HOME=0x24 IDCANCEL=2
id_of() { awk -v name="$1" '$1 == "#define" && $2 == name { print $3; exit }' "$root/res/resource.h" "$root/framework/StandardIds.h"; }
WM_TRAY_NOTIFY=$(id_of WM_TRAY_NOTIFY) IDR_TRAY_MENU=$(id_of IDR_TRAY_MENU) IDC_FIND_TEXT=$(id_of IDC_FIND_TEXT)
ID_ITEM_PROPERTIES=$(id_of ID_ITEM_PROPERTIES) ID_TOOLS_CHECK_LINKS=$(id_of ID_TOOLS_CHECK_LINKS)
ID_EDIT_FIND=$(id_of ID_EDIT_FIND) ITEM_PANE=$(($(id_of IDW_FIRST_PANE) + 1))
FRAME=class:LinkhiveFrame

mkdir -p "$WINEPREFIX" "$out"
quiet "$wine" wineboot -i
quiet "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11 /f
quiet "$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f
quiet "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1600x1200 /f
# Debian's Wine leaves its own fonts (fonts-wine: Tahoma, the shell dialog
# font, and Marlett, the caption buttons') out of a new prefix.
cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
cp "$root/res/sample.lkh" "$work/sample.lkh"
sample=Z:$(echo "$work/sample.lkh" | tr / '\\')

# Starts the program afresh at DPI $1, its first bookmark selected.
start_at() {
  stop_wine
  quiet "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f
  # Minimising goes to the tray, where the tray menu is.
  quiet "$wine" reg add 'HKCU\Software\Quillmere\Linkhive\Settings' /v TrayIcon /t REG_DWORD /d 1 /f
  quiet "$wine" wineboot
  (timeout 600 "$wine" "$build/linkhive.exe" "$sample" </dev/null >/dev/null 2>&1 &)
  driver rect "$FRAME" 60 >/dev/null || { echo "screenshots.sh: the program did not start" >&2; exit 1; }
  post "$FRAME" "$ITEM_PANE" $WM_KEYDOWN $VK_HOME 0
}

# Saves the window $2 (a title, or class:NAME) as $1.png, cut from the desktop.
shot() {
  local geometry desktop
  geometry=$(driver rect "$2" 30) || { echo "screenshots.sh: no window '$2' for $1" >&2; exit 1; }
  sleep 2
  desktop=$(xwininfo -root -tree | awk '/Wine desktop/ {print $1; exit}')
  import -window "${desktop:-root}" -crop "$geometry" +repage -strip "png8:$out/$1.png"
  echo "$out/$1.png ($geometry)"
}

for dpi in 144 192 96; do
  start_at $dpi
  shot main-$dpi "$FRAME"
done

post "$FRAME" 0 $WM_COMMAND $ID_EDIT_FIND 0
driver rect "Find Bookmarks" 30 >/dev/null
driver settext "Find Bookmarks" $IDC_FIND_TEXT "example" >/dev/null
shot find "Find Bookmarks"
post "Find Bookmarks" 0 $WM_COMMAND $IDCANCEL 0

post "$FRAME" 0 $WM_COMMAND $ID_TOOLS_CHECK_LINKS 0
shot check-links "Check Links"
post "Check Links" 0 $WM_COMMAND $IDCANCEL 0

post "$FRAME" 0 $WM_COMMAND $ID_ITEM_PROPERTIES 0
shot url-properties "URL Properties"
post "URL Properties" 0 $WM_COMMAND $IDCANCEL 0

post "$FRAME" 0 $WM_SYSCOMMAND $SC_MINIMIZE 0
sleep 2
post "$FRAME" 0 $WM_TRAY_NOTIFY $IDR_TRAY_MENU $WM_RBUTTONUP
shot tray-menu "class:#32768"
