#!/usr/bin/env bash
# Builds the launcher (the shipped i686 image, and the x86_64 twin where this machine needs it
# to run tests). Usage: tools/build.sh [extra cmake -D options]
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"

build_arch() {
    local arch=$1 target=$2
    shift 2
    cmake -S "$VELMORA_ROOT" -B "$VELMORA_BUILD/$arch" \
        -DCMAKE_TOOLCHAIN_FILE="$VELMORA_ROOT/cmake/mingw.cmake" -DVELMORA_ARCH="$arch" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$VELMORA_BUILD/$arch" -j "$(nproc)" ${target:+--target "$target"}
}

if [ "$VELMORA_ARCH" = i686 ]; then
    build_arch i686 "" "$@"
else
    # Only the shipped image is needed from the architecture this machine cannot run.
    build_arch i686 VelmoraLauncher "$@"
    build_arch "$VELMORA_ARCH" "" -DVELMORA_SHIPPED_EXE="$VELMORA_BUILD/i686/VelmoraLauncher.exe" "$@"
fi
