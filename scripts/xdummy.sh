#!/usr/bin/env bash
# Starts or stops a private X server on the dummy video driver, whose gamma ramp is real.
#   xdummy.sh start CONFIG STATE_DIR   prints the display (":N") once the server answers
#   xdummy.sh stop STATE_DIR           kills the server started with that STATE_DIR, by its PID
set -euo pipefail

command=$1
case "$command" in
start)
    config=$(realpath "$2")
    state=$3
    mkdir -p "$state"
    state=$(realpath "$state")
    for number in $(seq 50 99); do
        [ -e "/tmp/.X${number}-lock" ] || [ -e "/tmp/.X11-unix/X${number}" ] && continue
        Xorg ":$number" -noreset -nolisten tcp -config "$config" -logfile "$state/xorg.log" \
            </dev/null >/dev/null 2>&1 &
        pid=$!
        for _ in $(seq 100); do
            if xdpyinfo -display ":$number" >/dev/null 2>&1; then
                echo "$pid" >"$state/pid"
                echo ":$number"
                exit 0
            fi
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    echo "xdummy: no X server could be started; see $state/xorg.log" >&2
    exit 1
    ;;
stop)
    state=$2
    if [ -f "$state/pid" ]; then
        pid=$(cat "$state/pid")
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        rm -f "$state/pid"
    fi
    ;;
*)
    echo "usage: xdummy.sh start CONFIG STATE_DIR | stop STATE_DIR" >&2
    exit 2
    ;;
esac
