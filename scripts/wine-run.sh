#!/usr/bin/env bash
# Runs a Windows program under wine64: wine-run.sh PREFIX PROGRAM [ARGS...]
# `wine-run.sh PREFIX wineserver ARGS...` runs that prefix's wineserver instead (-p, -k).
# LUMATAB_WINEPREFIX, when set, replaces PREFIX: the test command keeps one prefix per X server.
set -euo pipefail
prefix=${LUMATAB_WINEPREFIX:-$1}
shift
mkdir -p "$prefix"
export WINEPREFIX="$(cd "$prefix" && pwd)"
export WINEDEBUG=-all
# No .NET or Gecko installers; and no debugger, which would hold a crashed program open forever.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
# Debian keeps wine64 and its wineserver off PATH, where its package put them.
wine=$(command -v wine64 || dpkg-query -L wine64 | grep -m 1 '/wine64$')
if [ "$1" = wineserver ]; then
    shift
    exec "$(dirname "$wine")/wineserver" "$@"
fi
exec "$wine" "$@"
