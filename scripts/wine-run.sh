#!/usr/bin/env bash
# Runs a Windows program under wine64: wine-run.sh PREFIX PROGRAM [ARGS...]
# LUMATAB_WINEPREFIX, when set, replaces PREFIX: the test command keeps one prefix per X server.
set -euo pipefail
prefix=${LUMATAB_WINEPREFIX:-$1}
shift
mkdir -p "$prefix"
export WINEPREFIX="$(cd "$prefix" && pwd)"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
exec /usr/lib/wine/wine64 "$@"
