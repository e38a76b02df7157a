#!/usr/bin/env bash
# The program end to end under wine64 on the two-monitor dummy X server ($DISPLAY), driven like
# a user with xdotool: exports through the real save dialog, checks the file's bytes and the
# screen, switches to the second monitor, exports again and closes with Escape.
#   end_to_end.sh LUMATAB_EXE WINDOW_PROBE_EXE WORK_FOLDER
# Needs LUMATAB_XRAMP (the native ramp loader; scripts/test.sh exports it). The expected export
# comes from the core's independent Python model.
set -euo pipefail

exe=$1
probe_exe=$2
work=$3
root=$(cd "$(dirname "$0")/../.." && pwd)
prefix="$(dirname "$exe")/wineprefix"
rm -rf "$work"
mkdir -p "$work"
work=$(cd "$work" && pwd)
readonly save_title="Exporting current Gammaramp"

fail() {
    import -window root "$work/failure.png" 2>/dev/null || true
    echo "end-to-end: $* (screen: $work/failure.png)" >&2
    exit 1
}

# xdotool warns about the focus of a server without a window manager; that is harmless.
xdo() { xdotool "$@" 2>/dev/null; }

probe() { "$root/scripts/wine-run.sh" "$prefix" "$probe_exe" "$@" </dev/null 2>/dev/null | tr -d '\r'; }

# click CAPTION ID: clicks the control, waiting up to 10 s for it to appear. Controls are not X
# windows, so the probe finds where they are.
click() {
    local position=""
    for _ in $(seq 50); do
        position=$(probe "$1" "$2" || true)
        [ -n "$position" ] && break
        sleep 0.2
    done
    [ -n "$position" ] || fail "no control $2 in a window \"$1\""
    # shellcheck disable=SC2086 # "x y"
    xdo mousemove $position click 1
}

# wait_gone TITLE SECONDS: true once no visible window has the title.
wait_gone() {
    for _ in $(seq $(($2 * 5))); do
        xdo search --onlyvisible --name "^$1\$" | grep -q . || return 0
        sleep 0.2
    done
    return 1
}

# export_to FILE: Export, the file's Windows path typed into the save dialog, Save, then OK in
# the success message; checks that the file is there.
export_to() {
    local file=$1
    click Lumatab 3
    timeout 20 xdotool search --sync --onlyvisible --name "^$save_title\$" >/dev/null 2>&1 ||
        fail "the save dialog did not open"
    click "$save_title" 1152
    xdo key End shift+Home
    xdo type --delay 5 "Z:${file//\//\\}"
    click "$save_title" 1
    # The autocomplete list can swallow the first press.
    wait_gone "$save_title" 3 || click "$save_title" 1
    wait_gone "$save_title" 10 || fail "the save dialog did not close"
    # The message box is the window "Lumatab" with an OK button (the dialog has no control 1).
    click Lumatab 1
    sleep 0.5
    [ -f "$file" ] || fail "the export did not write $file"
}

# A typical calibration: every level a multiple of 257, which the X server keeps exactly.
read -r -a levels <<<"$(python3 "$root/scripts/sample_ramp.py")"
"$LUMATAB_XRAMP" "${levels[@]}"
python3 "$root/tests/core/golden/make_golden.py" csv "${levels[@]}" >"$work/expected.csv"

"$root/scripts/wine-run.sh" "$prefix" "$exe" </dev/null >"$work/program.log" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Lumatab$' 2>/dev/null | head -n 1)
[ -n "$window" ] || fail "the window \"Lumatab\" did not appear"
sleep 1

# The three entry-128 figures in their colours on dark grey; the frame buffer has no ramp
# applied, so the colours are exact.
import -window root "$work/screen.png"
histogram=$(convert "$work/screen.png" -format %c histogram:info:-)
for colour in 383838 FA1414 14F55A 24A0FF; do
    count=$(grep -i "#$colour" <<<"$histogram" | awk '{print $1}' | tr -d ':' | head -n 1)
    [ "${count:-0}" -ge 20 ] || fail "colour #$colour shows on ${count:-0} pixels only"
done

[ "$(probe Lumatab 1005 cursel)" = 0 ] || fail "the first monitor is not selected at start-up"
export_to "$work/first.csv"
cmp "$work/first.csv" "$work/expected.csv" || fail "the first export differs from the ramp loaded"

# The second monitor, chosen with the keyboard in the combo box.
xdo windowfocus "$window"
click Lumatab 1005
sleep 0.5
xdo key Down
for _ in $(seq 25); do
    [ "$(probe Lumatab 1005 cursel)" = 1 ] && break
    sleep 0.2
done
[ "$(probe Lumatab 1005 cursel)" = 1 ] || fail "the second monitor could not be chosen"
export_to "$work/second.csv"
cmp "$work/second.csv" "$work/expected.csv" || fail "the export after choosing the second monitor differs"

xdo windowfocus "$window"
xdo key Escape
for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
kill -0 "$pid" 2>/dev/null && fail "the program is still running after Escape"
wait "$pid" || true
trap - EXIT
echo "end-to-end: export, screen, second monitor and Escape behave"
