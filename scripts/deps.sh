#!/usr/bin/env bash
# Installs the Debian packages Veloria needs to build, test and play, when any is missing.
set -euo pipefail
packages=(build-essential cmake pkg-config libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev
          libsdl2-mixer-dev libfontconfig-dev libgtest-dev libbenchmark-dev
          fonts-liberation timgm6mb-soundfont clang-format clang-tidy python3
          libpugixml-dev zlib1g-dev libpng-dev tiled
          desktop-file-utils appstream dpkg-dev lintian)
if [ "${1:-}" = "--window-checks" ]; then
    packages+=(xvfb xauth openbox xdotool imagemagick libx11-dev time)
fi
# The libFuzzer targets (scripts/fuzz.sh): clang and its fuzzer and sanitizer run-times.
if [ "${1:-}" = "--fuzz" ]; then
    packages+=(clang libclang-rt-14-dev)
fi
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
