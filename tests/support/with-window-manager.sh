#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command on the display in DISPLAY (a virtual one: with-xvfb.sh) with Openbox managing its windows, as
# a player's desktop does: frames with title bars, maximising, focus. Usage: with-window-manager.sh COMMAND...
set -euo pipefail
openbox --sm-disable >/dev/null 2>&1 &
manager=$!
trap 'kill "$manager" 2>/dev/null || true; wait "$manager" 2>/dev/null || true' EXIT
# A window manager says it runs by naming its own window on the root window.
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    kill -0 "$manager" 2>/dev/null || { echo "Openbox did not start"; exit 1; }
    sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' || { echo "Openbox took no charge"; exit 1; }
status=0
"$@" || status=$?
exit "$status"
