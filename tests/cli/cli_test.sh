#!/usr/bin/env bash
# lumatab-cli under Wine on the two-monitor dummy X server, then with no display; files from the model.
#   cli_test.sh LUMATAB_CLI_EXE WORK_FOLDER GAMMA_GAME_EXE
set -euo pipefail
# shellcheck source=../support/shell_test.sh
source "$(dirname "$0")/../support/shell_test.sh" "cli test" "$1" "$2"

# expect STATUS ARGS...: runs the program, output in the files out and err; fails on another status.
expect() {
    local status=0
    "$root/scripts/wine-run.sh" "$prefix" "$exe" "${@:2}" </dev/null >out 2>err || status=$?
    [ "$status" = "$1" ] || fail "'${*:2}' exited $status, not $1: $(cat err)"
}

# expect_error MESSAGE ARGS...: exit 2, no output, and one error line that starts with MESSAGE.
expect_error() {
    expect 2 "${@:2}"
    [[ ! -s out && $(wc -l <err) == 1 && $(cat err) == "lumatab-cli: $1"* ]] ||
        fail "'${*:2}' printed: $(cat out err)"
}

expect 0 list
grep -qxE '0 +\\\\\.\\DISPLAY1 +readable +[^ ].*' out && grep -qxE '1 +\\\\\.\\DISPLAY2 +readable +[^ ].*' out ||
    fail "list printed: $(cat out)"

# show gives the exported rows, but for the hex cells' 0x.
expect 0 export -m 1 ramp.csv
grep -qF 'monitor 1 (\\.\DISPLAY2) to "ramp.csv"' out || fail "export printed: $(cat out)"
expect 0 show
awk 'NR > 1 && NR <= 257 { print $1 ",0x" $2 "," $3 "," $4 ",0x" $5 "," $6 "," $7 ",0x" $8 \
    "," $9 "," $10 }' out | cmp - <(tail -n +2 ramp.csv && echo) ||
    fail "the rows shown differ from the export"
[ "$(sed -n 257p out)" = "  255   FFFF  65535      ---   FFFF  65535      ---   FFFF  65535      ---" ] ||
    fail "the last row is not aligned under the headings: $(sed -n 257p out)"
# The sample ramp's channels have the exponents 1.12, 1 (the identity) and 1.05. Command names
# are taken in any case, as Windows commands are.
expect 0 Stats
grep -qxE 'Identity +no +i\*257 +no' out && grep -qxE 'Fitted exponent +1\.120 +1\.000 +1\.050' out ||
    fail "stats printed: $(cat out)"

# save: the model's .cal, created now.
expect 0 save -m 1 ramp.cal
grep -qxE 'CREATED "(Mon|Tue|Wed|Thu|Fri|Sat|Sun) [A-Z][a-z]{2} [0-9]{2} [0-9:]{8} 20[0-9]{2}"' ramp.cal ||
    fail "the saved .cal says $(grep '^CREATED' ramp.cal)"
grep -v '^CREATED ' ramp.cal | cmp - <(grep -v '^CREATED ' sample.cal) || fail "the saved .cal differs from the model's"

# The monitor's own profile: Wine hands out the X screen's _ICC_PROFILE, here the sample ramp's.
"$LUMATAB_XICC" sample.icc
expect 0 profile -m 1
grep -qxE 'Profile +[cC]:\\.*\.icm' out && grep -qxE 'Description +Test Display' out &&
    grep -qxE 'Calibration +vcgt table, 3 channels, 256 entries of 16 bits' out ||
    fail "profile printed: $(cat out)"
expect 0 verify
[[ $(head -n 1 out) == 'Monitor profile "Test Display" ('[cC]:*.icm')' && $(tail -n 2 out) == $'loaded\nThe ramp is the calibration (exactly)' ]] ||
    fail "verify with the monitor's profile printed: $(cat out)"
# Blue back to the identity: only blue differs.
"$LUMATAB_XRAMP" "${levels[@]:0:512}" $(seq 0 257 65535)
expect 1 verify --monitor 1 ramp.cal
grep -qxE "Red +0 +0\.00" out && grep -qxE "Green +0 +0\.00" out &&
    grep -qxE "Blue +[1-9][0-9]* +[0-9.]+" out && [ "$(tail -n 2 out | head -n 1)" = "not loaded" ] ||
    fail "verify printed: $(cat out)"
expect 1 verify
# The first line for each state of the monitor's profile: not a profile, then none (Wine's own
# sRGB profile, without 'vcgt'), which is compared with a linear ramp.
echo "no profile" >junk.icc
"$LUMATAB_XICC" junk.icc
expect 2 verify
[[ $(cat err) == 'lumatab-cli: "'[cC]':\'*'.icm" is not a valid ICC profile: the file has 11 bytes'* ]] ||
    fail "verify with what is not a profile printed: $(cat err)"
"$LUMATAB_XICC" -d
expect 1 verify
[[ $(head -n 1 out) == 'Monitor profile "'*'" ('[cC]:*.icm')' &&
    $(sed -n 2p out) == 'no calibration in the profile: compared with a linear ramp' ]] ||
    fail "verify with a profile without calibration printed: $(cat out)"

# watch: another program loads a linear ramp, then a game sets its own curve and is named as
# started. The X server's ramp is global, so both monitors change. The programs are started
# directly, so that $! is the program itself, which kill ends, also when the test fails.
await() {
    for _ in $(seq 300); do grep -qE "$2" "$1" && return 0; sleep 0.1; done
    fail "watch printed: $(cat "$1")"
}
identity=$(seq 0 257 65535)
"$root/scripts/wine-run.sh" "$prefix" "$exe" watch --interval 0.2 </dev/null >watch.log 2>&1 &
watcher=$!
game=$watcher
trap 'kill "$watcher" "$game" 2>/dev/null || true' EXIT
await watch.log 'DISPLAY2\): the ramp is'
# shellcheck disable=SC2086 # 768 levels
"$LUMATAB_XRAMP" $identity $identity $identity
await watch.log 'DISPLAY1\) changed: .* the ramp is linear'
"$root/scripts/wine-run.sh" "$prefix" "$3" 60 </dev/null &
game=$!
await watch.log 'DISPLAY1\) changed: .* power curve: exponent 0\.6[0-9] / 0\.6[0-9] / 0\.6[0-9];'
grep -A 3 'DISPLAY1) changed: .* power curve' watch.log | grep -qE 'started .* gamma_game\.exe \(process [0-9]+, running\)' ||
    fail "the game is not named as started: $(cat watch.log)"
kill "$watcher" "$game"
status=0
"$root/scripts/wine-run.sh" "$prefix" "$exe" watch -m 1 --until-change --interval 0.2 \
    </dev/null >until.log 2>&1 &
watcher=$!
await until.log 'DISPLAY2\): the ramp is'
"$LUMATAB_XRAMP" "${levels[@]}"
wait "$watcher" || status=$?
[[ $status == 1 && $(grep -c changed: until.log) == 1 ]] || fail "--until-change exited $status: $(cat until.log)"

expect_error 'there is no monitor 2: the monitors are 0 to 1' stats -m 2
expect_error 'cannot read "missing.cal": ' verify missing.cal
# A calibration file of 16 MiB is read; one byte more is refused unread.
{ echo CAL; head -c $((16 * 1024 * 1024 - 4)) /dev/zero | tr '\0' '\n'; } >big.cal
expect_error '"big.cal" is not a valid calibration file: line ' verify big.cal
echo >>big.cal
expect_error 'cannot read "big.cal": The file is too large.' verify big.cal
# A name the code page cannot spell is refused, not bent into a look-alike (best fit would make
# U+2215 a slash, into sub; Wine reads arguments as UTF-8 here); control characters are written
# out, other letters are not.
mkdir sub
LC_ALL=C.UTF-8 expect_error '"sub?ramp.csv" has characters that this system'"'"'s code page (1252) cannot spell' \
    export $'sub\xe2\x88\x95ramp.csv'
[ -z "$(ls sub)" ] || fail "the refused name was written: $(ls sub)"
expect_error 'cannot write "a\x0Ab\x1B.csv": ' export $'a\nb\e.csv'
LC_ALL=C.UTF-8 expect 0 export $'a\x7f\xc3\xa9.csv'
grep -qF $'to "a\\x7F\xe9.csv".' out || fail "export printed: $(cat out)"
# Names as Windows reads them: blanks are no name, devices are no files, and trailing dots go.
expect_error '" " is not a valid file name' export ' '
for device in NUL CON COM1 aux.txt; do
    expect_error "\"$device\" is the name of a device, not of a file" export "$device"
done
expect 0 export 't.csv. '
grep -qF 'to "t.csv".' out && [ -f t.csv ] || fail "export printed: $(cat out)"
# In a console (a pseudo-terminal here) the text goes as UTF-16: é shows as é.
printf -v console '%q ' "$root/scripts/wine-run.sh" "$prefix" "$exe"
LC_ALL=C.UTF-8 script -qec "${console}export résumé.csv" /dev/null >tty.out
grep -qF 'to "résumé.csv".' tty.out || fail "in a console export printed: $(cat tty.out)"
# Output lost to a full disk is a failure, with the system's reason (Wine's words): /dev/full,
# then a disk that fills up.
status=0
"$root/scripts/wine-run.sh" "$prefix" "$exe" list </dev/null >/dev/full 2>err || status=$?
[[ $status == 2 && $(cat err) == "lumatab-cli: cannot write the output: "* ]] ||
    fail "output to a full disk exited $status: $(cat err)"
if [ -n "${LUMATAB_SMALL_DISK:-}" ]; then
    small=${LUMATAB_SMALL_DISK#Z:}
    small=${small//\\//}
    head -c 60000 /dev/zero >"$small/filler" || true
    "$root/scripts/wine-run.sh" "$prefix" "$exe" show </dev/null >"$small/shown" 2>err2 || true
    rm -f "$small/filler" "$small/shown"
    [ "$(cat err2)" = "lumatab-cli: cannot write the output: Disk full." ] ||
        fail "show to a disk that fills up printed: $(cat err2)"
fi

# Command lines it cannot take: the reason, a blank line and the usage.
for bad in "" --bogus "export" "save ''" "show extra" "-m x show" "list -m 0" "show -m 0 -m 1" "show -m"; do
    eval "expect 2 $bad"
    [[ ! -s out && $(head -n 1 err) == "lumatab-cli: "* && $(sed -n 3p err) == "usage: lumatab-cli "* ]] ||
        fail "'$bad' printed: $(cat err)"
done
expect 0 show '/?'
[[ $(head -n 1 out) == "usage: lumatab-cli "* ]] || fail "/? printed: $(cat out)"
expect 0 stats -V
grep -qxE 'lumatab-cli [0-9]+\.[0-9]+\.[0-9]+' out || fail "-V printed: $(cat out)"

# Without an X display, Wine's null driver has no gamma ramp: the monitor is listed unreadable
# and its ramp is refused. A prefix of the test's own, for a prefix keeps the monitors it first saw.
unset DISPLAY
export LUMATAB_WINEPREFIX="$(dirname "$exe")/wineprefix-no-display"
trap '"$root/scripts/wine-run.sh" "$LUMATAB_WINEPREFIX" wineserver -k 2>/dev/null || true' EXIT
# The first program of a new prefix can start services.exe, which would keep ctest's pipe open.
"$root/scripts/wine-run.sh" "$LUMATAB_WINEPREFIX" cmd /c exit </dev/null >/dev/null 2>&1
expect 0 list
grep -qxE '0 +\\\\\.\\DISPLAY1 +unreadable +[^ ].*' out || fail "list without a display printed: $(cat out)"
expect_error 'cannot read the gamma ramp of monitor 0 (\\.\DISPLAY1)' stats
echo "cli test: list, show, stats, export, save, verify, profile and their failures behave"
