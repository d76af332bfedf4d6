#!/bin/bash
# Creates the private Wine prefix of a test run and keeps one wineserver
# alive for it (start), or ends it (stop): wine-prefix.sh start|stop PREFIX
set -e
action=$1
export WINEPREFIX=$2 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
case $action in
start)
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    "$wine" wineboot -i >/dev/null 2>&1 || true
    # Headless: no window ever needs a display.
    "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  fi
  /usr/lib/wine/wineserver -p
  ;;
stop)
  /usr/lib/wine/wineserver -k || true
  ;;
esac
