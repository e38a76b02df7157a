#!/usr/bin/env bash
# The program end to end under Wine on the two-monitor dummy X server ($DISPLAY), driven like
# a user with xdotool: exports through the real save dialog, checks the file's bytes and the
# screen, opens the curves window, which compares the ramp with the monitor's profile, and
# compares it with a calibration file, switches to the second monitor, exports again and closes
# with Escape.
#   end_to_end.sh LUMATAB_EXE WINDOW_PROBE_EXE WORK_FOLDER
# Needs LUMATAB_XRAMP and LUMATAB_XICC (the native ramp and profile loaders; scripts/test.sh
# exports them). The expected files come from the core's independent Python model.
set -euo pipefail

# shellcheck source=../support/shell_test.sh
source "$(dirname "$0")/../support/shell_test.sh" end-to-end "$1" "$3"
probe_exe=$(realpath "$2")

DRIVE_PROBE=$probe_exe
DRIVE_PREFIX=$prefix
# shellcheck source=../../scripts/drive.sh
source "$root/scripts/drive.sh"

# export_to FILE [replace]: Export, the file's Windows path typed into the save dialog, Save (and
# Yes to replacing the file), then OK in the success message; checks that the file is there.
export_to() {
    local file=$1
    click_for Lumatab 3 "Exporting current Gammaramp"
    choose_file "Exporting current Gammaramp" "$file" "${2:-}"
    # The message box is the window "Lumatab" with an OK button (the dialog has no control 1).
    click Lumatab 1
    sleep 0.5
    [ -f "$file" ] || fail "the export did not write $file"
}

# expect_colours PICTURE MINIMUM COLOUR...: each colour on at least MINIMUM pixels of the picture.
expect_colours() {
    local histogram colour count
    histogram=$(convert "$1" -format %c histogram:info:-)
    for colour in "${@:3}"; do
        count=$(grep -i "#$colour" <<<"$histogram" | awk '{print $1}' | tr -d ':' | head -n 1)
        [ "${count:-0}" -ge "$2" ] || fail "$1 shows #$colour on ${count:-0} pixels only"
    done
}

# The monitor's profile, which Wine takes from the X screen, holds the same ramp.
"$LUMATAB_XICC" sample.icc

"$root/scripts/wine-run.sh" "$prefix" "$exe" </dev/null >"$work/program.log" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Lumatab$' 2>/dev/null | head -n 1)
[ -n "$window" ] || fail "the window \"Lumatab\" did not appear"
sleep 1

# The three entry-128 figures in their colours on dark grey; the frame buffer has no ramp
# applied, so the colours are exact.
import -window root "$work/screen.png"
expect_colours "$work/screen.png" 20 383838 FA1414 14F55A 24A0FF

[ "$(probe Lumatab 1005 cursel)" = 0 ] || fail "the first monitor is not selected at start-up"
export_to "$work/first.csv"
cmp "$work/first.csv" "$work/sample.csv" || fail "the first export differs from the ramp loaded"

# The curves window: compared with the monitor's profile at once; each channel's colour on many
# pixels of the plot; the readout follows the mouse and the keys; then a matching calibration
# file.
open_curves
"$LUMATAB_XICC" -d
verdict=$(probe "Gamma ramp curves" 1103 text)
[ "$verdict" = 'Monitor profile "Test Display": Matches the calibration within 1/255' ] ||
    fail "at its start the curves window says \"$verdict\""
read -r left top right bottom <<<"$(probe "Gamma ramp curves" 1101 rect)"
import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$work/curves.png"
expect_colours "$work/curves.png" 100 FA1414 14F55A 24A0FF
xdo mousemove $((right - 3)) $(((top + bottom) / 2)) click 1
sleep 0.5
readout=$(probe "Gamma ramp curves" 1108 text)
[[ $readout == "Entry 255 (100.0 %): "* ]] || fail "at the plot's right edge the readout says \"$readout\""
xdo key Home Right
sleep 0.5
readout=$(probe "Gamma ramp curves" 1108 text)
[[ $readout == "Entry 1 (0.4 %): "* ]] || fail "after Home and Right the readout says \"$readout\""
click_for "Gamma ramp curves" 1104 "Compare with calibration"
choose_file "Compare with calibration" "$work/sample.cal"
verdict=$(probe "Gamma ramp curves" 1103 text)
[ "$verdict" = '"sample.cal": Matches the calibration within 1/255' ] || fail "the comparison says \"$verdict\""
click "Gamma ramp curves" 2
wait_gone "Gamma ramp curves" 10 || fail "the curves window did not close"

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
# Its export replaces the first file, after the dialog asks: one copy of the data, not two.
export_to "$work/first.csv" replace
cmp "$work/first.csv" "$work/sample.csv" || fail "the export after choosing the second monitor differs"

xdo windowfocus "$window"
xdo key Escape
for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
kill -0 "$pid" 2>/dev/null && fail "the program is still running after Escape"
wait "$pid" || true
trap - EXIT
echo "end-to-end: export, screen, curves, second monitor and Escape behave"
