#!/usr/bin/env bash
# Installs what building, testing and running Lumatab need, if missing: Debian packages (32-bit
# Wine from the i386 architecture, which this adds), and Google Benchmark's source for the
# Windows benchmarks.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
# Wine's X driver loads the X extension libraries at run time, and Wine's packages only recommend
# them, so they are named here for both architectures: without libxxf86vm1 Wine reads no gamma
# ramp, and without libxrandr2 it lists one monitor instead of two.
wine_x_libraries=(libxxf86vm1 libxrandr2 libxrender1 libxinerama1 libxi6 libxcursor1 libxfixes3
    libxcomposite1)
packages=(
    cmake ninja-build python3 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 wine32:i386
    "${wine_x_libraries[@]}" "${wine_x_libraries[@]/%/:i386}"
    g++ clang-format locales googletest libbenchmark-dev
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
    # wine32 runs the shipped i686 program; it comes from the i386 architecture.
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Google Benchmark's source from Debian's source package (the Debian package holds only the
# native library), unpacked into the build tree for the MinGW builds.
benchmark="$root/build/deps/benchmark"
if [ ! -f "$benchmark/CMakeLists.txt" ]; then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    chmod 755 "$work"  # apt downloads as its own user
    # The machine's own Debian archives, as source archives, in a list of this run's own.
    mkdir -p "$work/parts" "$work/lists/partial"
    for sources in /etc/apt/sources.list.d/*.sources; do
        [ -f "$sources" ] && sed 's/^Types:.*/Types: deb-src/' "$sources" >"$work/parts/$(basename "$sources")"
    done
    if [ -f /etc/apt/sources.list ]; then
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >"$work/parts/main.list"
    fi
    apt=(apt-get -qq -o "Dir::Etc::SourceParts=$work/parts" -o Dir::Etc::SourceList=/dev/null
        -o "Dir::State::Lists=$work/lists")
    "${apt[@]}" update
    (cd "$work" && "${apt[@]}" source --download-only benchmark 2>/dev/null)
    mkdir -p "$benchmark"
    tar -xzf "$work"/benchmark_*.orig.tar.gz -C "$benchmark" --strip-components=1
fi
