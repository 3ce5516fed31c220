#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the README's screenshots from the real program under a virtual display: a game in the default look, a
# game in the shipped skin, the Russian language, the options page, and the options page as a new player of each
# shipped language first sees it (lang-<code>.png). Run again after the look or a language changes:
#
#   bash tools/screenshots.sh [BUILD [SCALE [OUTDIR]]]     (defaults: build 1 docs)
#
# SCALE 2 shows the game as a screen of device pixel ratio 2 does.
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(realpath "${1:-build}")"
scale="${2:-1}"
out="$(realpath -m "${3:-docs}")"
game="$build/bin/stakkar"
tool="$build/bin/stakkar-data"
width=$((640 * scale))
height=$((480 * scale))

work="$(mktemp -d)"
mkdir -p "$out" "$work/skin" "$work/lang"
cp -r data/skin/. "$build/data/skin/." "$work/skin/"
cp -r data/lang/. "$work/lang/"
"$tool" set "$work/users.dat" Aurora Skin Aurora
"$tool" set "$work/users.dat" Russian Language "$(printf '\xd0\xf3\xf1\xf1\xea\xe8\xe9')"
# One player a language: the player's name, the language as players' options keep it (in Windows-1251, a
# letter that code page has no room for as "&#<code point>;") and its code.
languages=("Alex English en" "Ivan Русский ru" "Oksana Українська uk" "Jonas Deutsch de"
           "Camille Fran&#231;ais fr" "Lucia Espa&#241;ol es" "Zofia Polski pl")
for language in "${languages[@]}"; do
    read -r player name _ <<<"$language"
    "$tool" set "$work/users.dat" "$player" Language "$(printf '%s' "$name" | iconv -f UTF-8 -t WINDOWS-1251)"
done

for n in $(seq 70 89); do [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break; done
Xvfb ":$n" -screen 0 "${width}x${height}x24" -nolisten tcp -noreset &
xvfb=$!
game_pid=""
trap '[ -z "$game_pid" ] || kill "$game_pid" 2>/dev/null || true; kill "$xvfb"; rm -rf "$work"' EXIT
export DISPLAY=":$n" QT_SCALE_FACTOR="$scale"
for _ in $(seq 100); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done

# shot FILE PLAYER KEYS...: logs in as PLAYER, presses the keys with a pause after each, and grabs the window.
shot() {
    local file="$1" player="$2"
    shift 2
    (cd "$work" && exec "$game") &
    game_pid=$!
    local window=""
    for _ in $(seq 100); do
        window="$(xdotool search --name '^Stakkar \(' 2>/dev/null | head -1)" && [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || { echo "no window for $file" >&2; exit 1; }
    xdotool windowmove --sync "$window" 0 0 || true
    xdotool windowfocus --sync "$window"
    xdotool type --delay 30 "$player"
    xdotool key Return
    sleep 1
    for key in "$@"; do
        xdotool key "$key"
        sleep 0.6
    done
    scrot -o -a "0,0,$width,$height" "$out/$file"
    kill "$game_pid"
    wait "$game_pid" || true
    game_pid=""
}

# The display stays up between the games (-noreset): one that starts while it resets finds no display.
# A game some figures into its course: moves and drops so that the well shows a pile and a falling figure.
moves=(F2 Left Left Left Left Control_L Right Right Right Control_L Up Left Control_L Up Right Right Right Right Control_L Left Left)
shot game-default.png Player "${moves[@]}"
shot game-aurora.png Aurora "${moves[@]}"
shot russian.png Russian "${moves[@]}"
shot options.png Player F4
for language in "${languages[@]}"; do
    read -r player _ code <<<"$language"
    shot "lang-$code.png" "$player" F4
done
echo "screenshots written to $out"
