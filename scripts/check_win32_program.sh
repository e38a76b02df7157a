#!/usr/bin/env bash
# Checks what the shipped 32-bit build's tests cannot see: Lumatab.exe is a 32-bit GUI program
# and lumatab-cli.exe a 32-bit console program, both of subsystem version 5.0 and importing only
# system DLLs, and the core's arithmetic is pure SSE2 (no x87 instructions, whose extended
# precision could change results).
#   check_win32_program.sh BUILD_DIR
set -euo pipefail

build=$1
failed=0

# check_program NAME SUBSYSTEM_CODE SUBSYSTEM_NAME
check_program() {
    local name=$1 headers
    headers=$(i686-w64-mingw32-objdump -p "$build/$name")
    expect() {
        if ! grep -qE "$1" <<<"$headers"; then
            echo "$name: expected $2" >&2
            failed=1
        fi
    }
    expect '^Magic[[:space:]]+010b' "a 32-bit (PE32) image"
    expect "^Subsystem[[:space:]]+0000000$2" "the $3 subsystem"
    expect '^MajorSubsystemVersion[[:space:]]+5$' "subsystem version 5.x"
    expect '^MinorSubsystemVersion[[:space:]]+0$' "subsystem version x.0"

    local system_dlls='^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|ole32|advapi32|msvcrt)\.dll$'
    while read -r dll; do
        if ! grep -qiE "$system_dlls" <<<"$dll"; then
            echo "$name imports $dll, which is not a system DLL" >&2
            failed=1
        fi
    done < <(awk '/DLL Name:/ {print $3}' <<<"$headers")
}
check_program Lumatab.exe 2 "Windows GUI"
check_program lumatab-cli.exe 3 "Windows console"

x87=$(i686-w64-mingw32-objdump -d "$build"/core/CMakeFiles/lumatab_core.dir/*.obj |
    grep -cE '\sf(add|sub|mul|div|sqrt|istp|ild|ldcw|com|ucom)[a-z]*\s' || true)
if [ "$x87" != 0 ]; then
    echo "The 32-bit core uses $x87 x87 arithmetic instructions" >&2
    failed=1
fi
[ "$failed" = 0 ] && echo "Lumatab.exe (GUI) and lumatab-cli.exe (console), 32-bit: subsystem 5.0," \
    "system DLLs only, SSE2 core"
exit "$failed"
