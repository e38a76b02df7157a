#!/usr/bin/env bash
# The release: builds the program alone (no tests) for i686 and x86_64, each in a build folder of
# its own (build/release-win32, build/release-win64), and writes dist/Lumatab-VERSION-win32.zip
# (the shipped 32-bit program), dist/Lumatab-VERSION-win64.zip and dist/SHA256SUMS. The same
# source gives the same bytes on any machine, in any folder, time zone or locale: the ZIP entries
# carry the last commit's time (or SOURCE_DATE_EPOCH, where that is set). Installs what is missing
# first.
#   package.sh                           builds, then packages
#   package.sh WIN32_BUILD WIN64_BUILD   packages the programs of these builds instead: the test
#                                        command's, whose images are the same bytes
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
if [ $# = 2 ]; then
    builds=("$1" "$2")
else
    scripts/install-deps.sh
    builds=(build/release-win32 build/release-win64)
    for arch in win32 win64; do
        cmake --preset "release-$arch" >/dev/null
        cmake --build --preset "release-$arch"
    done
fi
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "${builds[0]}/CMakeCache.txt")
when=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}
rm -rf dist
python3 scripts/make_release.py "$root" "$version" "$when" dist "${builds[@]}"
echo "Wrote dist/Lumatab-$version-win32.zip, dist/Lumatab-$version-win64.zip and dist/SHA256SUMS:"
cat dist/SHA256SUMS
