#!/usr/bin/env bash
# Builds the three builds (native; win32, the shipped i686 program; win64, the same program
# built for x86_64) and runs every test: the core natively (also under ASan+UBSan), and every
# Windows test on both Windows builds, under 32-bit Wine and wine64, on private dummy X servers
# that this script starts and stops. Reports the effective-gamma digests of the three builds, the
# monitor-switch benchmark of both Windows builds and the watch's cost, packages the release from
# the Windows builds and checks it, and reports the size of the tests beside the code.
# Installs what is missing first.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh

# The Windows builds whose tests run here: the shipped 32-bit one only where this machine runs
# 32-bit code.
windows_builds=(win64)
if scripts/runs-32-bit.sh; then
    windows_builds=(win32 win64)
else
    echo "This machine cannot run 32-bit code: the 32-bit build is built and checked, but its tests and benchmark are not run."
fi

for preset in native win32 win64; do
    cmake --preset "$preset" >/dev/null
done

echo "== native build and tests"
cmake --build --preset native
ctest --preset native

echo "== win32 and win64 builds"
# The second build compiles while the first build's Windows tests run, which mostly wait on Wine
# and the X server; its output is shown once it is needed.
cmake --build --preset "${windows_builds[0]}"
other_build=win64
[ "${windows_builds[0]}" = win64 ] && other_build=win32
build_log="$root/build/$other_build-build.log"
cmake --build --preset "$other_build" >"$build_log" 2>&1 &
build_pid=$!

# shellcheck source=wine-session.sh
source scripts/wine-session.sh
cleanup() {
    kill "$build_pid" 2>/dev/null || true
    wine_session_stop
}
trap cleanup EXIT
wine_session_start

declare -A digests
digests[native]=$(build/native/tests/core/gamma_digest)
for build in "${windows_builds[@]}"; do
    if [ "$build" = "$other_build" ]; then
        echo "== $build build (made while the tests above ran)"
        wait "$build_pid" || { cat "$build_log"; exit 1; }
        tail -n 1 "$build_log"
    fi
    [ "$build" = win32 ] && scripts/check_win32_program.sh build/win32

    echo "== $build: Windows tests, one monitor"
    use_wine "$build" one-monitor
    ctest --preset "$build" -LE two-monitors
    digests[$build]=$(scripts/wine-run.sh "$LUMATAB_WINEPREFIX" \
        "build/$build/tests/core/gamma_digest.exe" </dev/null | tr -d '\r')

    echo "== $build: Windows tests, two monitors"
    use_wine "$build" two-monitors
    ctest --preset "$build" -L two-monitors
done
if [ "${windows_builds[*]}" = win64 ]; then
    echo "== win32 build (checked, not run)"
    wait "$build_pid" || { cat "$build_log"; exit 1; }
    scripts/check_win32_program.sh build/win32
fi

echo "== the release, packaged from the two Windows builds"
scripts/package.sh build/win32 build/win64
bash tests/release/check_package.sh dist

echo "== effective-gamma digests of every (index, level) pair"
for build in native "${windows_builds[@]}"; do
    echo "$build: ${digests[$build]}"
done
for build in "${windows_builds[@]}"; do
    if [ "${digests[$build]}" != "${digests[native]}" ]; then
        echo "The $build build computes different effective gamma values from the native build." >&2
        exit 1
    fi
done

# Last, with nothing else running, so that the figures mean something.
for build in "${windows_builds[@]}"; do
    echo "== $build: monitor-switch benchmark (reported, never failing on time)"
    use_wine "$build" two-monitors
    scripts/wine-run.sh "$LUMATAB_WINEPREFIX" "build/$build/bench/lumatab_switch_bench.exe" \
        </dev/null | tr -d '\r'
done
shipped=${windows_builds[0]}
echo "== $shipped: what watch costs beside a bare poller (reported, never failing on time)"
use_wine "$shipped" two-monitors
scripts/wine-run.sh "$LUMATAB_WINEPREFIX" "build/$shipped/bench/lumatab_watch_bench.exe" \
    </dev/null | tr -d '\r'


echo "== tests beside the code (non-blank, non-comment lines; test data not counted)"
count() { xargs -d '\n' cat | grep -c -v -E '^\s*(//.*)?$'; }
code=$(git ls-files | grep -E '\.(cpp|h|hpp|c|cmake|rc|py|sh)$|CMakeLists.txt' | grep -v '^tests/' | count)
tests=$(git ls-files | grep -E '^tests/' | grep -E '\.(cpp|h|hpp|c|py|sh)$|CMakeLists.txt' | count)
awk -v t="$tests" -v c="$code" 'BEGIN { printf "%d test lines, %d code lines: %.2f\n", t, c, t / c }'
echo "All builds and tests passed."
