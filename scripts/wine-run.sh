#!/bin/bash
# Runs a Windows program under Wine in a build's own prefix: wine-run.sh PREFIX PROGRAM ARGS...
prefix=$1
shift
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A server that Wine starts on demand shuts down a few seconds after its last
# client, and a program started in that moment dies with status 1 and no
# output. Should the run's persistent server be gone, start another: this
# answers at once (status 2) when it is still there; wine-prefix.sh stop ends it.
/usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
exec /usr/lib/wine/wine64 "$@"
