#!/usr/bin/env bash
# Builds the launcher (the shipped i686 image, and the x86_64 twin where this machine needs it
# to run tests). Usage: tools/build.sh [extra cmake -D options]
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"

build_arch() {
    local arch=$1
    shift
    cmake -S "$VELMORA_ROOT" -B "$VELMORA_BUILD/$arch" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$VELMORA_ROOT/cmake/mingw.cmake" -DVELMORA_ARCH="$arch" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$VELMORA_BUILD/$arch"
}

build_arch i686 "$@"
if [ "$VELMORA_ARCH" != i686 ]; then
    build_arch "$VELMORA_ARCH" -DVELMORA_SHIPPED_EXE="$VELMORA_BUILD/i686/VelmoraLauncher.exe" "$@"
fi
