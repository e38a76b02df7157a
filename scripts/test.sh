#!/usr/bin/env bash
# Builds the three builds (native, win64, win32) and runs every test: the core natively (also
# under ASan+UBSan), and the Windows tests under wine64 on private dummy X servers that this
# script starts and stops. Reports the monitor-switch benchmark and the size of the tests beside
# the code. Installs what is missing first.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh

echo "== native build and tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

echo "== win32 build: the shipped program alone (compiled, not run here)"
cmake --preset win32 >/dev/null
cmake --build --preset win32
scripts/check_win32_program.sh build/win32

echo "== win64 build"
cmake --preset win64 >/dev/null
cmake --build --preset win64

state="$root/build/win64/run"
# The native tool that loads ramps into the X server for the Windows tests.
export LUMATAB_XRAMP="$root/build/native/scripts/tools/xramp"
export LUMATAB_XICC="$root/build/native/scripts/tools/xicc"
prefixes=()
small_disk="$state/small-disk"
cleanup() {
    for prefix in "${prefixes[@]}"; do
        LUMATAB_WINEPREFIX=$prefix scripts/wine-run.sh "$prefix" wineserver -k 2>/dev/null || true
    done
    scripts/xdummy.sh stop "$state/one-monitor"
    scripts/xdummy.sh stop "$state/two-monitors"
    if mountpoint -q "$small_disk"; then umount "$small_disk"; fi
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
    scripts/wine-run.sh "$LUMATAB_WINEPREFIX" wineserver -p
    scripts/wine-run.sh "$LUMATAB_WINEPREFIX" cmd /c exit </dev/null >/dev/null 2>&1
}

# A tiny file system to fill up, for the export's full-disk test (skipped where mount fails).
mkdir -p "$small_disk"
if mountpoint -q "$small_disk" || mount -t tmpfs -o size=64k tmpfs "$small_disk" 2>/dev/null; then
    export LUMATAB_SMALL_DISK="Z:${small_disk//\//\\}"
else
    echo "No tmpfs could be mounted: the full-disk export test is skipped."
fi

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

echo "== monitor-switch benchmark under wine64 (reported, never failing on time)"
scripts/wine-run.sh "$LUMATAB_WINEPREFIX" build/win64/bench/lumatab_switch_bench.exe </dev/null |
    tr -d '\r'

echo "== tests beside the code (non-blank, non-comment lines; test data not counted)"
count() { xargs -d '\n' cat | grep -c -v -E '^\s*(//.*)?$'; }
code=$(git ls-files | grep -E '\.(cpp|h|hpp|c|cmake|rc|py|sh)$|CMakeLists.txt' | grep -v '^tests/' | count)
tests=$(git ls-files | grep -E '^tests/' | grep -E '\.(cpp|h|hpp|c|py|sh)$|CMakeLists.txt' | count)
awk -v t="$tests" -v c="$code" 'BEGIN { printf "%d test lines, %d code lines: %.2f\n", t, c, t / c }'
echo "All builds and tests passed."
