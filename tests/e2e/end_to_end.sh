#!/usr/bin/env bash
# The program under Wine on the two-monitor dummy X server, driven like a user with xdotool:
# export, screen, curves window, export over the first file, Escape. Files from the Python model.
#   end_to_end.sh LUMATAB_EXE WINDOW_PROBE_EXE WORK_FOLDER
set -euo pipefail

# shellcheck source=../support/shell_test.sh
source "$(dirname "$0")/../support/shell_test.sh" end-to-end "$1" "$3"
DRIVE_PROBE=$(realpath "$2")
DRIVE_PREFIX=$prefix
# shellcheck source=../../scripts/drive.sh
source "$root/scripts/drive.sh"

# export_to FILE [replace]: Export to FILE through the save dialog (replacing it), then OK.
export_to() {
    local file=$1
    click_for Lumatab 3 "Exporting current Gammaramp"
    choose_file "Exporting current Gammaramp" "$file" "${2:-}"
    # The message box is the window "Lumatab" with an OK button (the dialog has no control 1).
    click Lumatab 1
    sleep 0.5
}

# The monitor's profile, which Wine takes from the X screen, holds the same ramp.
"$LUMATAB_XICC" sample.icc

"$root/scripts/wine-run.sh" "$prefix" "$exe" </dev/null >"$work/program.log" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Lumatab$' 2>/dev/null | head -n 1)
[ -n "$window" ] || fail "the window \"Lumatab\" did not appear"
sleep 1

# The entry-128 figures' colours on dark grey, exact: the frame buffer has no ramp applied.
histogram=$(import -window root png:- | convert - -format %c histogram:info:-)
for colour in 383838 FA1414 14F55A 24A0FF; do
    count=$(grep -i "#$colour" <<<"$histogram" | awk '{print $1}' | tr -d ':' | head -n 1)
    [ "${count:-0}" -ge 20 ] || fail "the screen shows #$colour on ${count:-0} pixels only"
done
export_to "$work/first.csv"
cmp "$work/first.csv" "$work/sample.csv" || fail "the first export differs from the ramp loaded"

# A game resets the ramp after the list was read: the curves window reads it as it opens, compares
# it with the monitor's profile and says that the list follows; the readout follows the mouse.
identity=$(seq 0 257 65535)
# shellcheck disable=SC2086 # 768 levels
"$LUMATAB_XRAMP" $identity $identity $identity
open_curves
"$LUMATAB_XICC" -d
verdict=$(probe "Gamma ramp curves" 1103 text)
[[ $verdict == 'Monitor profile "Test Display": Largest differences: red '* ]] ||
    fail "at its start the curves window says \"$verdict\""
[[ $(probe "Gamma ramp curves" 1110 text) == "The ramp changed since the list was read at "* ]] ||
    fail "the curves window does not say that the ramp changed"
read -r left top right bottom <<<"$(probe "Gamma ramp curves" 1101 rect)"
xdo mousemove $((right - 3)) $(((top + bottom) / 2)) click 1
sleep 0.5
readout=$(probe "Gamma ramp curves" 1108 text)
[[ $readout == "Entry 255 (100.0 %): "* ]] || fail "at the plot's right edge the readout says \"$readout\""
click "Gamma ramp curves" 2
wait_gone "Gamma ramp curves" 10 || fail "the curves window did not close"

# A second export, of the ramp the list now shows, replaces the first file after the dialog asks.
export_to "$work/first.csv" replace
cmp "$work/first.csv" "$root/tests/core/golden/identity.csv" || fail "the second export differs"

xdo windowfocus "$window"
xdo key Escape
timeout 10 tail --pid="$pid" -f /dev/null || fail "the program is still running after Escape"
trap - EXIT
echo "end-to-end: export, screen, curves, replacing export and Escape behave"
