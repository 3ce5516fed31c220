#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Debian package from the build, checks that it holds what an installation needs, and runs lintian
# over it: no error may remain.
set -euo pipefail
build="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "$1"; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack failed"; }
deb="$(ls "$work"/stakkar_*.deb)"
dpkg-deb -c "$deb" | awk '{print $6}' >"$work/contents"
for file in usr/games/stakkar usr/games/stakkar-data \
    usr/share/stakkar/skin/Aurora/skin.ini usr/share/stakkar/skin/Aurora/block.bmp \
    usr/share/stakkar/lang/Русский.lng usr/share/stakkar/lang/stakkar-ru.html \
    usr/share/applications/io.github.stakkar.Stakkar.desktop \
    usr/share/metainfo/io.github.stakkar.Stakkar.metainfo.xml \
    usr/share/man/man6/stakkar.6.gz usr/share/man/man6/stakkar-data.6.gz \
    usr/share/doc/stakkar/copyright usr/share/doc/stakkar/changelog.gz; do
    grep -qx "\./$file" "$work/contents" || fail "the package lacks /$file"
done
for size in 16 22 24 32 48 64 128 256; do
    grep -qx "\./usr/share/icons/hicolor/${size}x${size}/apps/stakkar.png" "$work/contents" ||
        fail "the package lacks the $size px icon"
done
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "the package does not depend on Qt Widgets"
lintian --fail-on error --tag-display-limit 0 "$deb"
echo ok
