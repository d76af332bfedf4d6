#!/bin/bash
# Runs a Windows program under Wine in a build's own prefix: wine-run.sh PREFIX PROGRAM ARGS...
prefix=$1
shift
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
exec /usr/lib/wine/wine64 "$@"
