#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary DESTDIR and starts the installed game as a new user would: from a
# folder that is no game folder though it holds skins and languages (a source tree, a downloads folder), with
# a home of its own. A log-in must save the players file in the user's data folder and nowhere else. With --dir the files go to the folder named, and on a screen of device
# pixel ratio 2 the window is twice the size. The window carries the icon task bars show.
set -euo pipefail
build="$1"
work="$(mktemp -d)"
game_pid=""
trap '[ -z "$game_pid" ] || kill "$game_pid" 2>/dev/null || true; wait; rm -rf "$work"' EXIT
fail() { echo "$1"; exit 1; }

DESTDIR="$work/root" cmake --install "$build" --prefix /usr >"$work/install.log"
game="$work/root/usr/bin/stakkar"
tool="$work/root/usr/bin/stakkar-data"
[ -f "$work/root/usr/share/stakkar/skin/Aurora/skin.ini" ] || fail "no installed skin"
# The icon the menu entry names is there for the desktop to find, at every size and scalable.
icon="$(sed -n 's/^Icon=//p' "$work/root/usr/share/applications/io.github.stakkar.Stakkar.desktop")"
for size in 16x16 22x22 24x24 32x32 48x48 64x64 128x128 256x256; do
    [ -f "$work/root/usr/share/icons/hicolor/$size/apps/$icon.png" ] || fail "no $size icon named $icon"
done
[ -f "$work/root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon named $icon"
mkdir "$work/home" "$work/downloads"
cp -r "$work/root/usr/share/stakkar/skin" "$work/root/usr/share/stakkar/lang" "$work/downloads/"
cd "$work/downloads"
export HOME="$work/home"
unset XDG_DATA_HOME

# Starts the game with the given options and environment, logs in as the player and leaves game_pid set.
log_in() {
    local player="$1" size="$2"
    shift 2
    env "$@" &
    game_pid=$!
    local window=""
    for _ in $(seq 100); do
        window="$(xdotool search --name '^Stakkar \(' 2>/dev/null | head -1)" && [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || fail "no main window"
    xwininfo -id "$window" | grep -q "Width: ${size%x*}" || fail "the window is not $size wide"
    xwininfo -id "$window" | grep -q "Height: ${size#*x}" || fail "the window is not $size high"
    [[ "$(xprop -id "$window" _NET_WM_ICON)" == *"Icon (48 x 48)"* ]] || fail "the window carries no icon"
    xdotool windowfocus --sync "$window"
    xdotool type --delay 30 "$player"
    xdotool key Return
}

stop_game() {
    kill -TERM "$game_pid"
    wait "$game_pid" || fail "the game ended badly on SIGTERM"
    game_pid=""
}

wait_for() {
    for _ in $(seq 100); do
        [ -f "$1" ] && return 0
        sleep 0.1
    done
    fail "no $1"
}

users="$HOME/.local/share/stakkar/users.dat"
log_in Ivan 640x480 "$game"
wait_for "$users"
"$tool" sections "$users" | grep -qx Ivan || fail "Ivan is not in $users"
stop_game
[ "$(ls -A "$work/downloads" | tr '\n' ' ')" = "lang skin " ] ||
    fail "files left in the working folder: $(ls -A "$work/downloads")"
[ "$(stat -c %a "$HOME/.local/share/stakkar")" = 700 ] || fail "the data folder is open to others"

log_in Olga 1280x960 QT_SCALE_FACTOR=2 "$game" --dir "$work/named"
wait_for "$work/named/users.dat"
"$tool" sections "$work/named/users.dat" | grep -qx Olga || fail "Olga is not in the named folder"
stop_game
"$tool" sections "$users" | grep -qx Olga && fail "Olga went to the data folder as well"
echo ok
