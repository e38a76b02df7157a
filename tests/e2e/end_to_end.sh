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

exe=$1
probe_exe=$2
work=$3
root=$(cd "$(dirname "$0")/../.." && pwd)
prefix="$(dirname "$exe")/wineprefix"
rm -rf "$work"
mkdir -p "$work"
work=$(cd "$work" && pwd)

fail() {
    import -window root "$work/failure.png" 2>/dev/null || true
    echo "end-to-end: $* (screen: $work/failure.png)" >&2
    exit 1
}

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

# A typical calibration: every level a multiple of 257, which the X server keeps exactly.
read -r -a levels <<<"$(python3 "$root/scripts/sample_ramp.py")"
"$LUMATAB_XRAMP" "${levels[@]}"
python3 "$root/tests/core/golden/make_golden.py" csv "${levels[@]}" >"$work/expected.csv"
python3 "$root/tests/core/golden/make_golden.py" cal "${levels[@]}" >"$work/sample.cal"
# The monitor's profile, which Wine takes from the X screen, holds the same ramp.
python3 "$root/tests/core/golden/make_golden.py" icc "${levels[@]}" >"$work/display.icc"
"$LUMATAB_XICC" "$work/display.icc"

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
histogram=$(convert "$work/curves.png" -format %c histogram:info:-)
for colour in FA1414 14F55A 24A0FF; do
    count=$(grep -i "#$colour" <<<"$histogram" | awk '{print $1}' | tr -d ':' | head -n 1)
    [ "${count:-0}" -ge 100 ] || fail "the curves show #$colour on ${count:-0} pixels only"
done
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
cmp "$work/first.csv" "$work/expected.csv" || fail "the export after choosing the second monitor differs"

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
