#!/usr/bin/env bash
# The part of tools/test.sh that runs inside the virtual display: one wineserver for the whole
# run, the demo portal on loopback, ctest, and everything stopped again at the end.
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"

"$WINESERVER" -p
# Start the prefix's services now, so that the first test does not inherit them.
"$WINE" wineboot >/dev/null 2>&1

export VELMORA_PORTAL_LOG="$VELMORA_BUILD/$VELMORA_ARCH/portal-requests.log"
: >"$VELMORA_PORTAL_LOG"
portal_pid=
if [ -f "$VELMORA_ROOT/tools/portal/serve.py" ]; then
    python3 "$VELMORA_ROOT/tools/portal/serve.py" --port 8731 --log "$VELMORA_PORTAL_LOG" \
        >/dev/null 2>&1 &
    portal_pid=$!
fi

cd "$VELMORA_BUILD/$VELMORA_ARCH"
ctest --output-on-failure --timeout 180 "$@"
rc=$?

[ -n "$portal_pid" ] && kill "$portal_pid" 2>/dev/null
"$WINESERVER" -k 2>/dev/null
"$WINESERVER" -w 2>/dev/null
exit $rc
