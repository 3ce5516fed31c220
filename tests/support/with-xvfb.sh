#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command under a virtual display of its own: Xvfb picks a free display itself and names it, so tests
# running side by side never take the same one (xvfb-run -a can: it looks for a free number, then starts).
# Usage: with-xvfb.sh WIDTHxHEIGHTxDEPTH COMMAND [ARGS...]
set -euo pipefail
screen="$1"
shift
named="$(mktemp)"
# -noreset: a server that resets when its last client leaves refuses a client that connects meanwhile, as a
# test starting the game again and again would.
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$named" 2>/dev/null &
server=$!
trap 'kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; rm -f "$named"' EXIT
for _ in $(seq 100); do
    [ -s "$named" ] && break
    kill -0 "$server" 2>/dev/null || { echo "Xvfb did not start"; exit 1; }
    sleep 0.1
done
[ -s "$named" ] || { echo "Xvfb named no display"; exit 1; }
export DISPLAY=":$(head -1 "$named")"
unset XAUTHORITY
status=0
"$@" || status=$?
exit "$status"
