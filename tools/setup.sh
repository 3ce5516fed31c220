#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Stakkar needs, for one purpose:
#   setup.sh play   building the game and playing it (tools/play.sh)
#   setup.sh test   that, and building and running every test, the score server and the benchmarks, and making
#                   the Debian packages (tools/test.sh); the default
#   setup.sh fuzz   that, and clang with its libFuzzer runtime (tools/fuzz.sh)
# Does nothing when all of them are present; refreshes the package index only when something is missing.
set -euo pipefail

purpose="${1:-test}"
# The compiler, Qt and the libraries the game links; the headers of ALSA and SDL, whose libraries the game loads
# itself (SDL's for game controllers); the fonts the game's texts ask for; the opener of the score pages; and
# the window system plugins for X11 and Wayland.
packages=(
    cmake make g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-wayland libasound2-dev libsdl2-dev libgl-dev zlib1g-dev
    fonts-dejavu-core fonts-liberation fontconfig xdg-utils
)
case "$purpose" in
play) ;;
test | fuzz)
    # GoogleTest; the virtual display, a window manager for it and the tools that drive and grab windows; the
    # score server's libraries, its databases, the reverse proxy it runs behind, the compiler of its game viewer
    # (emscripten, whose optimizer wants acorn) and the browser its pages are checked in; the checkers of the
    # metadata, the manual pages and the packages.
    packages+=(
        libgtest-dev libgmock-dev qt6-svg-dev
        xvfb xauth x11-utils xdotool scrot openbox
        libboost-dev libqt6sql6-sqlite libqt6sql6-psql postgresql chromium libcurl4-openssl-dev nginx
        emscripten node-acorn
        libx11-dev libxtst-dev
        appstream desktop-file-utils lintian dpkg-dev fakeroot man-db
    )
    if [ "$purpose" = fuzz ]; then
        packages+=(clang libclang-rt-14-dev)
    fi
    ;;
*)
    echo "usage: $0 [play | test | fuzz]" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "Stakkar needs these Debian packages, which are not installed: ${missing[*]}" >&2
    echo "Run this script as root (for example: sudo $0 $purpose), or install them with:" >&2
    echo "  sudo apt-get install ${missing[*]}" >&2
    exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
