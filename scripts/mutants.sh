#!/usr/bin/env bash
# Mutation check, run by hand (the test command does not run it): applies each mutant of
# scripts/mutants.txt in turn to a copy of the committed tree, builds it, and runs every test that
# can see it (for the core: its own tests, then the Windows tests, which use the core too); a mutant
# that every test passes survived, a sign of a fault the suite would miss.
#   scripts/mutants.sh [ID...]      all mutants, or the ones named
# Needs the packages of scripts/install-deps.sh. Writes build/mutants/report.txt, a line a mutant:
# killed (by the first test that failed), survived, stillborn (does not build) or not applicable
# (its text is no longer in the file, or is there more than once); build/mutants/logs/ID.log holds
# each mutant's build output.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh >/dev/null
list="$root/scripts/mutants.txt"
tree="$root/build/mutants/tree"
report="$root/build/mutants/report.txt"
logs="$root/build/mutants/logs"  # the build output of each mutant, for the stillborn

# A clone of HEAD, so that the work tree is never touched, with builds of its own.
rm -rf "$tree" "$logs"
mkdir -p "$logs"
git clone -q --shared "$root" "$tree"
mkdir -p "$tree/build"
cp -r "$root/build/deps" "$tree/build/"
cd "$tree"
cmake --preset native >/dev/null
cmake --build --preset native >/dev/null

# shellcheck source=wine-session.sh
source scripts/wine-session.sh
trap wine_session_stop EXIT
# The Windows build and its X servers, made when the first mutant outside the core needs them.
windows_ready=no
prepare_windows() {
    [ $windows_ready = yes ] && return
    cmake --preset win64 >/dev/null
    cmake --build --preset win64 >/dev/null
    wine_session_start
    windows_ready=yes
}

# failing_test CTEST_ARGS...: the name of the first test that fails, or nothing.
failing_test() {
    { ctest "$@" --stop-on-failure 2>&1 || true; } |
        sed -n 's/^.*Test *#[0-9]*: \([^ ]*\) .*\*\*\*.*$/\1/p' | head -n 1
}

# run_mutant ID FILE FROM TO: prints the mutant's outcome.
run_mutant() {
    local id=$1 file=$2 from=$3 to=$4 killer=""
    if ! python3 - "$file" "$from" "$to" <<'PY'; then
import sys
path, old, new = sys.argv[1:]
text = open(path, encoding="utf-8").read()
if text.count(old) != 1:
    sys.exit(1)
open(path, "w", encoding="utf-8").write(text.replace(old, new))
PY
        echo "$id not applicable"
        return
    fi
    : >"$logs/$id.log"
    # The core's own tests first, natively; then every Windows test, which sees the core too.
    if [[ $file == core/* ]]; then
        if cmake --build --preset native --target lumatab_core_tests >>"$logs/$id.log" 2>&1; then
            killer=$(failing_test --preset native -R '^lumatab_core_tests$')
        else
            killer=stillborn
        fi
    fi
    if [ -z "$killer" ]; then
        prepare_windows  # on its own: a failure here ends the run, not only this mutant
        if cmake --build --preset win64 >>"$logs/$id.log" 2>&1; then
            wine_empty_small_disk  # a mutant may have left files on it
            use_wine win64 one-monitor
            killer=$(failing_test --preset win64 -LE two-monitors)
            if [ -z "$killer" ]; then
                use_wine win64 two-monitors
                killer=$(failing_test --preset win64 -L two-monitors)
            fi
        else
            killer=stillborn
        fi
    fi
    git checkout -q -- "$file"
    case $killer in
    "") echo "$id survived" ;;
    stillborn) echo "$id stillborn" ;;
    *) echo "$id killed by $killer" ;;
    esac
}

: >"$report"
# Each line of the list: ID FILE | FROM | TO, where FROM occurs exactly once in FILE.
while IFS= read -r line <&3; do
    [[ -z $line || $line == \#* ]] && continue
    [[ $line == *" |" ]] && line+=" "  # an empty TO
    id=${line%% *}
    rest=${line#* }
    file=${rest%% | *}
    rest=${rest#* | }
    from=${rest%% | *}
    to=${rest#* | }
    if [ $# -gt 0 ] && [[ " $* " != *" $id "* ]]; then
        continue
    fi
    # Not in a pipeline: the Windows build and servers, once prepared, must stay known here.
    run_mutant "$id" "$file" "$from" "$to" >>"$report"
    tail -n 1 "$report"
done 3<"$list"
# Back to a clean build for the next run.
cmake --build --preset native >/dev/null 2>&1 || true
awk '{print $2}' "$report" | sort | uniq -c
echo "Report: $report"
