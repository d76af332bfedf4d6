#!/bin/bash
# Runs a Windows program under Wine on a virtual display, for what needs a
# real one (the notification area): wine-xvfb-run.sh PREFIX PROGRAM ARGS...
# The prefix is its own, made at first use: the X11 graphics driver, and a
# Wine desktop of its own, whose taskbar holds the notification area (with
# no window manager on the display, each hidden window would otherwise wait
# for one). Its wineserver lives only as long as the display.
set -e
if [ "${1:-}" != --on-display ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --on-display "$@"
fi
shift
export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
shift
wine=/usr/lib/wine/wine64 server=/usr/lib/wine/wineserver
# A server left by an earlier run would draw on a display that is gone.
"$server" -k </dev/null >/dev/null 2>&1 || true
"$server" -w </dev/null >/dev/null 2>&1 || true
mkdir -p "$WINEPREFIX"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$wine" wineboot -i </dev/null >/dev/null 2>&1 || true
  "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11 /f </dev/null >/dev/null 2>&1
  "$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
  "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f </dev/null >/dev/null 2>&1
  # The desktop of the first boot started before these settings.
  "$server" -k </dev/null >/dev/null 2>&1 || true
  "$server" -w </dev/null >/dev/null 2>&1 || true
fi
# Background services start here, detached from the program's output, so
# that none keeps CTest waiting on it.
"$wine" wineboot </dev/null >/dev/null 2>&1 || true
status=0
"$wine" "$@" || status=$?
"$server" -k </dev/null >/dev/null 2>&1 || true
exit $status
