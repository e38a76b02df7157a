#!/usr/bin/env bash
# Builds the three builds (native, win64, win32) and runs every test: the core natively (also
# under ASan+UBSan), and the Windows tests under wine64 on private dummy X servers that this
# script starts and stops. Installs missing Debian packages first.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh

echo "== native build and tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

echo "== win32 build (the shipped program; compiled, not run here)"
cmake --preset win32 >/dev/null
cmake --build --preset win32
scripts/check_win32_program.sh build/win32

echo "== win64 build"
cmake --preset win64 >/dev/null
cmake --build --preset win64

state="$root/build/win64/run"
# Native tools (built above): xramp loads ramps into the X server for the Windows tests,
# ramp_csv writes the export expected of a ramp for the end-to-end test.
export LUMATAB_XRAMP="$root/build/native/tests/xramp/xramp"
export LUMATAB_RAMP_CSV="$root/build/native/tests/e2e/ramp_csv"
prefixes=()
cleanup() {
    for prefix in "${prefixes[@]}"; do
        WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
    done
    scripts/xdummy.sh stop "$state/one-monitor"
    scripts/xdummy.sh stop "$state/two-monitors"
}
trap cleanup EXIT

# start_wine NAME: a dummy X server with the monitors of scripts/xorg/NAME.conf and a warm Wine
# prefix of its own. A warm-up program first, its output away from ctest's pipe: the first Wine
# program can start services.exe, which would keep that pipe open and hang ctest.
start_wine() {
    local name=$1
    export DISPLAY
    DISPLAY=$(scripts/xdummy.sh start "scripts/xorg/$name.conf" "$state/$name")
    export LUMATAB_WINEPREFIX="$root/build/win64/wineprefix-$name"
    prefixes+=("$LUMATAB_WINEPREFIX")
    mkdir -p "$LUMATAB_WINEPREFIX"
    WINEPREFIX="$LUMATAB_WINEPREFIX" /usr/lib/wine/wineserver -p
    scripts/wine-run.sh "$LUMATAB_WINEPREFIX" cmd /c exit </dev/null >/dev/null 2>&1
}

echo "== Windows tests under wine64, one monitor"
start_wine one-monitor
ctest --preset win64 -LE two-monitors

echo "== native and Windows effective-gamma digests"
native_digest=$(build/native/tests/core/gamma_digest)
wine_digest=$(scripts/wine-run.sh "$LUMATAB_WINEPREFIX" build/win64/tests/core/gamma_digest.exe </dev/null | tr -d '\r')
echo "native:  $native_digest"
echo "windows: $wine_digest"
if [ "$native_digest" != "$wine_digest" ]; then
    echo "The native and Windows builds compute different effective gamma values." >&2
    exit 1
fi

echo "== Windows tests under wine64, two monitors"
start_wine two-monitors
ctest --preset win64 -L two-monitors
echo "All builds and tests passed."
