#!/usr/bin/env bash
# Exits 0 when this machine runs 32-bit code, found by running the 32-bit Wine loader once: some
# kernels are built without 32-bit support, and nothing in their names tells.
wine=$(dpkg-query -L wine32:i386 2>/dev/null | grep -m 1 '/wine/wine$') || exit 1
"$wine" --version >/dev/null 2>&1
