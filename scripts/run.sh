#!/usr/bin/env bash
# Builds Lumatab and runs the shipped 32-bit program under 32-bit Wine (the same program built
# for x86_64, under wine64, where this machine cannot run 32-bit code). With an X display
# ($DISPLAY) it opens there. With no display it starts a private dummy X server holding a sample
# calibration ramp, runs the program there, saves screenshots of the main window and of the
# curves window's two views (those in docs/, for the README), closes the program and says where
# the screenshots are.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh

if scripts/runs-32-bit.sh; then
    export WINEARCH=win32
else
    echo "This machine cannot run 32-bit code: running the x86_64 build of Lumatab instead."
    export WINEARCH=win64
fi
cmake --preset "$WINEARCH" >/dev/null
cmake --build --preset "$WINEARCH" --target Lumatab window_probe
exe="$root/build/$WINEARCH/Lumatab.exe"
prefix="$root/build/$WINEARCH/wineprefix-run"

if [ -n "${DISPLAY:-}" ]; then
    echo "Starting Lumatab on $DISPLAY"
    exec scripts/wine-run.sh "$prefix" "$exe"
fi

# The dummy X server keeps a real ramp, which the native xramp tool loads.
cmake --preset native >/dev/null
cmake --build --preset native --target xramp
state="$root/build/run/screenshot-x"
pid=""
cleanup() {
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
    fi
    scripts/wine-run.sh "$prefix" wineserver -k 2>/dev/null || true
    scripts/xdummy.sh stop "$state"
}
trap cleanup EXIT
export DISPLAY
DISPLAY=$(scripts/xdummy.sh start scripts/xorg/two-monitors.conf "$state")
read -r -a levels <<<"$(python3 scripts/sample_ramp.py)"
build/native/scripts/tools/xramp "${levels[@]}"

echo "No display: running Lumatab on a private X server ($DISPLAY) with a sample ramp"
scripts/wine-run.sh "$prefix" "$exe" </dev/null >/dev/null 2>&1 &
pid=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Lumatab$' 2>/dev/null | head -n 1)
if [ -z "$window" ]; then
    echo "The Lumatab window did not appear." >&2
    exit 1
fi
sleep 1
# shot WINDOW FILE: the window as the screen shows it (with no window manager, an X window is
# exactly the program's window).
shot() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
}
shot "$window" "$root/build/lumatab-screenshot.png"

fail() {
    echo "$*" >&2
    exit 1
}
DRIVE_PROBE="$root/build/$WINEARCH/scripts/tools/window_probe.exe"
DRIVE_PREFIX=$prefix
source scripts/drive.sh
open_curves
# The curves window's two views, for the README.
curves=$(xdotool search --onlyvisible --name '^Gamma ramp curves$' | head -n 1)
shot "$curves" "$root/docs/curves.png"
click "Gamma ramp curves" 1106
sleep 0.5
shot "$curves" "$root/docs/curves-gamma.png"
click "Gamma ramp curves" 2
wait_gone "Gamma ramp curves" 10 || fail "The curves window did not close."

xdotool windowfocus "$window" key Escape 2>/dev/null || true
for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
echo "Screenshots of the running program: build/lumatab-screenshot.png," \
    "docs/curves.png, docs/curves-gamma.png"
