#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Lumatab need, if missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang-format python3 locales
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
    googletest libbenchmark-dev
    wine64
    xserver-xorg-core xserver-xorg-video-dummy x11-utils x11-xserver-utils xdotool imagemagick
    libxxf86vm-dev libx11-dev
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
