#!/usr/bin/env bash
# Runs a Windows program under Wine: wine-run.sh PREFIX PROGRAM [ARGS...]
# `wine-run.sh PREFIX wineserver ARGS...` runs that prefix's wineserver instead (-p, -k).
# WINEARCH=win32 runs the program in a 32-bit prefix with the 32-bit loader (the i686 build);
# otherwise the prefix is 64-bit and the loader is wine64. A prefix keeps the architecture it was
# made with, so each build needs prefixes of its own.
# LUMATAB_WINEPREFIX, when set, replaces PREFIX: the test command keeps one prefix per X server.
set -euo pipefail
prefix=${LUMATAB_WINEPREFIX:-$1}
shift
mkdir -p "$prefix"
export WINEPREFIX="$(cd "$prefix" && pwd)"
export WINEARCH=${WINEARCH:-win64}
export WINEDEBUG=-all
# No .NET or Gecko installers; and no debugger, which would hold a crashed program open forever.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
# Debian keeps its Wine loaders and the wineserver off PATH, where its packages put them.
case $WINEARCH in
win32) wine=$(dpkg-query -L wine32:i386 | grep -m 1 '/wine/wine$') ;;
*) wine=$(command -v wine64 || dpkg-query -L wine64 | grep -m 1 '/wine64$') ;;
esac
if [ "$1" = wineserver ]; then
    shift
    exec "$(dirname "$wine")/wineserver" "$@"
fi
exec "$wine" "$@"
