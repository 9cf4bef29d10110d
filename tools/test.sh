#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite under Wine in a virtual
# display. Exit code: ctest's.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/build.sh
source tools/wine-env.sh

export WINEPREFIX="$VELMORA_BUILD/$VELMORA_ARCH/wineprefix-tests"
velmora_fresh_prefix "$WINEPREFIX"
# The test prefix, and only it, completes navigations with the stand-in HTML document.
tests/fixtures/standin_document/register.sh "$WINEPREFIX" \
    "$VELMORA_BUILD/$VELMORA_ARCH/tests/fixtures/standin_document/standin_document.dll"
"$WINESERVER" -w
exec xvfb-run -a -s "-screen 0 1600x900x24" tools/test-session.sh "$@"
