#!/usr/bin/env bash
# What only the release can break: SHA256SUMS verifies, and each ZIP holds exactly the folder
# Lumatab-VERSION with the two programs of its architecture, README.txt and LICENSE.txt.
#   check_package.sh DIST_FOLDER
set -euo pipefail
cd "$1"
sha256sum --quiet -c SHA256SUMS
python3 - Lumatab-*-win32.zip Lumatab-*-win64.zip <<'PY'
import struct, sys, zipfile
for path, machine in zip(sys.argv[1:], (0x14C, 0x8664)):
    folder = path[:-len("-win32.zip")] + "/"
    with zipfile.ZipFile(path) as archive:
        names = sorted(archive.namelist())
        expected = sorted([folder] + [folder + n for n in
                          ("Lumatab.exe", "lumatab-cli.exe", "README.txt", "LICENSE.txt")])
        if names != expected:
            sys.exit("%s holds %s, not %s" % (path, names, expected))
        for exe in ("Lumatab.exe", "lumatab-cli.exe"):
            image = archive.read(folder + exe)
            pe = struct.unpack_from("<I", image, 0x3C)[0]
            if image[pe:pe + 4] != b"PE\0\0" or struct.unpack_from("<H", image, pe + 4)[0] != machine:
                sys.exit("%s: %s is not an image for machine 0x%X" % (path, exe, machine))
PY
echo "The release: SHA256SUMS verifies; each ZIP holds its architecture's programs, README.txt and LICENSE.txt"
