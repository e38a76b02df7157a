# shellcheck shell=bash
# The shell tests' common start: source shell_test.sh NAME EXE WORK_FOLDER. Sets root, exe, prefix
# and work (a fresh current folder), defines fail, and loads the sample ramp into the X server,
# with the model's sample.csv, sample.cal and sample.icc for it in the work folder.
test_name=$1
exe=$(realpath "$2")
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
prefix="$(dirname "$exe")/wineprefix"
: "${LUMATAB_XRAMP:?needs LUMATAB_XRAMP, the native ramp loader}"
: "${LUMATAB_XICC:?needs LUMATAB_XICC, the native ICC profile setter}"
rm -rf "$3" && mkdir -p "$3"
work=$(cd "$3" && pwd)
cd "$work"

# fail MESSAGE: ends the test, keeping a picture of the screen.
fail() {
    import -window root "$work/failure.png" 2>/dev/null || true
    echo "$test_name: $* (screen: $work/failure.png)" >&2
    exit 1
}

# A typical calibration: every level a multiple of 257, which the X server keeps exactly.
read -r -a levels <<<"$(python3 "$root/scripts/sample_ramp.py")"
"$LUMATAB_XRAMP" "${levels[@]}"
for kind in csv cal icc; do
    python3 "$root/tests/core/golden/make_golden.py" "$kind" "${levels[@]}" >"sample.$kind"
done
