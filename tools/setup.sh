#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs every Debian package that building, running and testing Stakkar needs.
# Does nothing when all of them are present; refreshes the package index only when something is missing.
# "setup.sh fuzz" also installs clang and its libFuzzer runtime, which only tools/fuzz.sh needs.
set -euo pipefail

packages=(
    cmake make g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libasound2-dev libgl-dev
    zlib1g-dev libgtest-dev libgmock-dev
    fonts-dejavu-core fonts-liberation fontconfig
    xvfb xauth xdg-utils x11-utils
    libboost-dev libqt6sql6-sqlite libqt6sql6-psql postgresql chromium
    libcurl4-openssl-dev libx11-dev libxtst-dev
    appstream desktop-file-utils lintian dpkg-dev fakeroot man-db xdotool scrot
)
if [ "${1:-}" = fuzz ]; then
    packages+=(clang libclang-rt-14-dev)
fi

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
    echo "Run this script as root (for example: sudo $0), or install them with:" >&2
    echo "  sudo apt-get install ${missing[*]}" >&2
    exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
