#!/usr/bin/env bash
# Installs what building and testing the launcher needs on Debian 12 (run as root). Quick when
# everything is already there.
set -euo pipefail

packages=(
    cmake googletest python3 python3-pefile python3-pil
    g++-mingw-w64-i686 g++-mingw-w64-x86-64
    wine wine64 wine32:i386
    xvfb xauth xdotool x11-utils imagemagick fonts-wqy-microhei
)

missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
