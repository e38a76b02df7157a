# shellcheck shell=bash
# Drives Lumatab under Wine on a private X server as a user would, with xdotool; sourced by the
# run command and the end-to-end test. Controls are not X windows, so window_probe finds them.
# Needs DRIVE_PROBE (window_probe.exe), DRIVE_PREFIX (the Wine prefix) and a function `fail`.

drive_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# xdotool warns about the focus of a server without a window manager; that is harmless.
xdo() { xdotool "$@" 2>/dev/null; }

probe() {
    "$drive_root/scripts/wine-run.sh" "$DRIVE_PREFIX" "$DRIVE_PROBE" "$@" </dev/null 2>/dev/null |
        tr -d '\r'
}

# wait_window TITLE: waits up to 20 s for a visible window with the title.
wait_window() {
    timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" >/dev/null 2>&1
}

# wait_gone TITLE SECONDS: true once no visible window has the title.
wait_gone() {
    for _ in $(seq $(($2 * 5))); do
        xdo search --onlyvisible --name "^$1\$" | grep -q . || return 0
        sleep 0.2
    done
    return 1
}

# click CAPTION ID [BUTTON]: clicks the control, waiting up to 10 s for it to appear.
click() {
    local position=""
    for _ in $(seq 50); do
        position=$(probe "$1" "$2" || true)
        [ -n "$position" ] && break
        sleep 0.2
    done
    [ -n "$position" ] || fail "no control $2 in a window \"$1\""
    # shellcheck disable=SC2086 # "x y"
    xdo mousemove $position click "${3:-1}"
}

# click_for CAPTION ID TITLE: clicks the control until the window TITLE shows (up to three
# clicks, 20 s), since a click can be lost while a window is still being set up.
click_for() {
    for _ in 1 2 3; do
        click "$1" "$2"
        timeout 7 xdotool search --sync --onlyvisible --name "^$3\$" >/dev/null 2>&1 && return
    done
    fail "the window \"$3\" did not open"
}

# choose_file TITLE FILE [replace]: types the file's Windows path into the file dialog and
# confirms it; with `replace`, also answers Yes (control 6) when the dialog asks to replace it.
choose_file() {
    wait_window "$1" || fail "the file dialog \"$1\" did not open"
    click "$1" 1152
    xdo key End shift+Home
    xdo type --delay 5 "Z:${2//\//\\}"
    click "$1" 1
    # The autocomplete list can swallow a press and the prompt comes late, so press again
    # whatever is still there until the dialog has gone.
    local position asked=no
    for _ in $(seq 5); do
        wait_gone "$1" 2 && break
        position=""
        [ "${3:-}" = replace ] && position=$(probe "$1" 6 || true) && [ -n "$position" ] && asked=yes
        [ -n "$position" ] || position=$(probe "$1" 1 || true)
        # shellcheck disable=SC2086 # "x y"
        [ -z "$position" ] || xdo mousemove $position click 1
    done
    wait_gone "$1" 5 || fail "the file dialog \"$1\" did not close"
    [ "${3:-}" != replace ] || [ $asked = yes ] || fail "\"$1\" replaced the file without asking"
}

# open_curves: the curves window, from the first item of the list's context menu, which opens
# at the pointer (the mouse, since keys can be lost after a modal window closes).
open_curves() {
    click Lumatab 1001 3
    sleep 0.5
    xdo mousemove_relative 20 8 click 1
    wait_window "Gamma ramp curves" || fail "the curves window did not open"
    sleep 0.5
}
