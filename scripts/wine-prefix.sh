#!/bin/bash
# Creates the private Wine prefix of a test run and keeps one wineserver
# alive for it (start), or ends it (stop): wine-prefix.sh start|stop PREFIX
set -e
action=$1
export WINEPREFIX=$2 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
case $action in
start)
  mkdir -p "$WINEPREFIX"
  # Already running for this prefix is fine.
  /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1 || true
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$wine" wineboot -i </dev/null >/dev/null 2>&1 || true
    # Headless: no window ever needs a display.
    "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1
    # The desktop started by the first boot chose its driver before this
    # setting existed; restart the server so that windows can be made.
    /usr/lib/wine/wineserver -k </dev/null >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w </dev/null >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1 || true
  fi
  # Start Wine's background services here, detached from any test's output:
  # a service holding a test's pipe open would keep CTest waiting forever.
  "$wine" wineboot </dev/null >/dev/null 2>&1 || true
  ;;
stop)
  /usr/lib/wine/wineserver -k || true
  ;;
esac
