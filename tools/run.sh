#!/usr/bin/env bash
# Installs what is missing, builds, and runs the launcher against the bundled demo portal.
# With DISPLAY set the launcher opens there and this script waits for it to end; without one it
# runs in a virtual display, and a screenshot is saved and its path printed.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/build.sh
source tools/wine-env.sh

export WINEPREFIX="$VELMORA_BUILD/$VELMORA_ARCH/wineprefix-run"
[ -d "$WINEPREFIX" ] || velmora_fresh_prefix "$WINEPREFIX"
launcher="$VELMORA_BUILD/$VELMORA_ARCH/VelmoraLauncher.exe"

portal_pid=
if [ -f tools/portal/serve.py ]; then
    python3 tools/portal/serve.py --port 8731 >/dev/null 2>&1 &
    portal_pid=$!
fi
trap '[ -n "$portal_pid" ] && kill "$portal_pid" 2>/dev/null; true' EXIT

if [ -n "${DISPLAY:-}" ]; then
    "$WINE" "$launcher"
else
    shot="$VELMORA_BUILD/launcher-screenshot.png"
    xvfb-run -a -s "-screen 0 1600x900x24" bash -c '
        "$WINE" "$1" & pid=$!
        sleep 8
        import -window root "$2"
        kill $pid 2>/dev/null
        "$WINESERVER" -k 2>/dev/null; wait' _ "$launcher" "$shot"
    echo "screenshot: $shot"
fi
