#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the game under a virtual display: its window must appear, and a second copy must end at once without
# a window while the first keeps running.
set -euo pipefail
game="$1"
work="$(mktemp -d)"
# The games are waited for, so none outlives the display it is closing on.
trap 'kill "$first" 2>/dev/null || true; wait; rm -rf "$work"' EXIT
cd "$work"
"$game" &
first=$!
for _ in $(seq 50); do
    if xwininfo -root -tree | grep -q '"Stakkar (1.0.2 build 64 beta 3b)"'; then break; fi
    sleep 0.1
done
xwininfo -root -tree | grep -q '"Stakkar (1.0.2 build 64 beta 3b)"' || { echo "no main window"; exit 1; }
xwininfo -root -tree | grep '"Stakkar (1.0.2 build 64 beta 3b)"' | grep -q ' 640x480+' || { echo "not 640 x 480"; exit 1; }
windows=$(xwininfo -root -tree | grep -c '"Stakkar (1.0.2 build 64 beta 3b)"')
timeout 5 "$game" 2> "$work/second.err" || { echo "second copy did not end cleanly"; exit 1; }
grep -q "already running" "$work/second.err" || { echo "second copy said nothing"; exit 1; }
kill -0 "$first" || { echo "first copy ended"; exit 1; }
[ "$(xwininfo -root -tree | grep -c '"Stakkar (1.0.2 build 64 beta 3b)"')" = "$windows" ] || { echo "second window"; exit 1; }
# A replay named to a second copy is not opened behind the first one's back, and the second copy says so.
status=0
timeout 5 "$game" --replay "$work/game.rep" 2> "$work/replay.err" || status=$?
[ "$status" = 1 ] || { echo "a second copy with a replay ended with status $status"; exit 1; }
grep -q "game.rep was not opened" "$work/replay.err" || { echo "a second copy with a replay said nothing"; exit 1; }
kill -0 "$first" || { echo "first copy ended"; exit 1; }
# A copy that crashed leaves its guard behind; the next start must not take it for a running copy.
kill -9 "$first"
wait "$first" 2>/dev/null || true
"$game" &
first=$!
for _ in $(seq 50); do
    if xwininfo -root -tree | grep -q '"Stakkar (1.0.2 build 64 beta 3b)"'; then break; fi
    sleep 0.1
done
kill -0 "$first" || { echo "no start after a crash"; exit 1; }
xwininfo -root -tree | grep -q '"Stakkar (1.0.2 build 64 beta 3b)"' || { echo "no window after a crash"; exit 1; }
timeout 5 "$game" || { echo "copy after a crash does not hold the guard"; exit 1; }
kill -0 "$first" || { echo "no start after a crash"; exit 1; }

# The same user on another display gets a game of their own there.
# Xvfb picks a free display itself and names it, so tests running side by side never take the same one.
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" &
other_x=$!
trap 'kill "$first" "$other_game" "$other_x" 2>/dev/null || true; wait; rm -rf "$work"' EXIT
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
n=$(head -1 "$work/display")
DISPLAY=":$n" "$game" &
other_game=$!
for _ in $(seq 50); do
    if DISPLAY=":$n" xwininfo -root -tree | grep -q '"Stakkar (1.0.2 build 64 beta 3b)"'; then break; fi
    sleep 0.1
done
DISPLAY=":$n" xwininfo -root -tree | grep -q '"Stakkar (1.0.2 build 64 beta 3b)"' ||
    { echo "no game on a second display"; exit 1; }

# A termination signal (a log-out, a shutdown) ends the game as its window's close does.
kill -TERM "$other_game"
status=0
wait "$other_game" || status=$?
[ "$status" = 0 ] || { echo "SIGTERM ended the game with status $status"; exit 1; }
kill "$other_x"
echo "ok"
