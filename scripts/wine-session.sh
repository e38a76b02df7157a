# shellcheck shell=bash
# Private dummy X servers, one with one monitor and one with two, and warm Wine prefixes on them,
# for running the Windows tests; sourced by the test command and the mutant harness, from the
# repository's root. wine_session_start starts the servers; wine_session_stop stops what was
# started (call it on exit).

wine_session_state="$PWD/build/run"
wine_small_disk="$wine_session_state/small-disk"
wine_prefixes=()
declare -A wine_displays

wine_session_start() {
    # The native tools that load ramps and colour profiles into the X server for the tests.
    export LUMATAB_XRAMP="$PWD/build/native/scripts/tools/xramp"
    export LUMATAB_XICC="$PWD/build/native/scripts/tools/xicc"
    # A tiny file system to fill up, for the export's full-disk test (skipped where mount fails).
    mkdir -p "$wine_small_disk"
    if mountpoint -q "$wine_small_disk" ||
        mount -t tmpfs -o size=64k tmpfs "$wine_small_disk" 2>/dev/null; then
        export LUMATAB_SMALL_DISK="Z:${wine_small_disk//\//\\}"
        wine_empty_small_disk
    else
        echo "No tmpfs could be mounted: the full-disk export test is skipped."
    fi
    local monitors
    for monitors in one-monitor two-monitors; do
        wine_displays[$monitors]=$(scripts/xdummy.sh start "scripts/xorg/$monitors.conf" \
            "$wine_session_state/$monitors")
    done
}

# Empties the small disk, which a failed run may have left files on.
wine_empty_small_disk() { rm -rf "${wine_small_disk:?}"/*; }

# use_wine BUILD MONITORS: Wine for BUILD's programs (win32 or win64) on the dummy X server with
# the monitors of scripts/xorg/MONITORS.conf, in a warm prefix of their own. A warm-up program
# first, its output away from ctest's pipe: the first Wine program can start services.exe, which
# would keep that pipe open and hang ctest. The warm-up leaves windows to Wine rather than to a
# window manager, as the test servers run none: Wine would wait 2 s for one each time a window hides.
use_wine() {
    export DISPLAY=${wine_displays[$2]}
    export LUMATAB_WINEPREFIX="$PWD/build/$1/wineprefix-$2"
    export WINEARCH=win64
    [ "$1" = win32 ] && WINEARCH=win32
    local prefix
    for prefix in "${wine_prefixes[@]}"; do
        [ "$prefix" = "$LUMATAB_WINEPREFIX" ] && return
    done
    wine_prefixes+=("$LUMATAB_WINEPREFIX")
    scripts/wine-run.sh "$LUMATAB_WINEPREFIX" wineserver -p
    scripts/wine-run.sh "$LUMATAB_WINEPREFIX" reg add 'HKCU\Software\Wine\X11 Driver' \
        /v Managed /d N /f </dev/null >/dev/null 2>&1
}

wine_session_stop() {
    local prefix
    for prefix in "${wine_prefixes[@]}"; do
        LUMATAB_WINEPREFIX=$prefix scripts/wine-run.sh "$prefix" wineserver -k 2>/dev/null || true
    done
    scripts/xdummy.sh stop "$wine_session_state/one-monitor"
    scripts/xdummy.sh stop "$wine_session_state/two-monitors"
    if mountpoint -q "$wine_small_disk"; then umount "$wine_small_disk"; fi
}
