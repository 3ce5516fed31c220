#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Debian packages from the build, checks that cpack makes exactly the packages named and that each
# holds what an installation needs, and runs lintian over them at its pedantic level: no tag may remain, down
# to the informational ones (hardening, stripping), but those dist/lintian overrides with a reason.
#   deb_package.sh BUILD stakkar [stakkar-scores]
set -euo pipefail
build="$1"
shift
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "$1"; exit 1; }

# Lists what the package holds in $work/contents.
unpack_list() {
    dpkg-deb -c "$1" | awk '{print $6}' >"$work/contents"
}

holds() {
    local name="$1"
    shift
    for file in "$@"; do
        grep -qx "\./$file" "$work/contents" || fail "$name lacks /$file"
    done
}

check_stakkar() {
    local deb="$1"
    unpack_list "$deb"
    holds stakkar usr/games/stakkar usr/games/stakkar-data \
        usr/share/stakkar/skin/Aurora/skin.ini usr/share/stakkar/skin/Aurora/block.bmp \
        usr/share/stakkar/lang/Русский.lng usr/share/stakkar/lang/stakkar-ru.html \
        usr/share/applications/io.github.stakkar.Stakkar.desktop \
        usr/share/metainfo/io.github.stakkar.Stakkar.metainfo.xml \
        usr/share/man/man6/stakkar.6.gz usr/share/man/man6/stakkar-data.6.gz \
        usr/share/doc/stakkar/copyright usr/share/doc/stakkar/changelog.gz usr/share/lintian/overrides/stakkar
    for size in 16 22 24 32 48 64 128 256; do
        holds stakkar "usr/share/icons/hicolor/${size}x${size}/apps/io.github.stakkar.Stakkar.png"
    done
    holds stakkar usr/share/icons/hicolor/scalable/apps/io.github.stakkar.Stakkar.svg
    grep -q "stakkar-scores" "$work/contents" && fail "stakkar holds files of the score server"
    dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "stakkar does not depend on Qt Widgets"
    # SDL is loaded at run time only where a joystick is: recommended, never a dependency.
    dpkg-deb -f "$deb" Depends | grep -q 'libsdl2' && fail "stakkar depends on SDL: $(dpkg-deb -f "$deb" Depends)"
    [ "$(dpkg-deb -f "$deb" Recommends)" = "fonts-dejavu-core, fonts-liberation, qt6-wayland, libsdl2-2.0-0" ] ||
        fail "stakkar recommends: $(dpkg-deb -f "$deb" Recommends)"
    dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/man/man6/stakkar.6.gz | gzip -d >"$work/page"
    grep -qF '.IR \%/usr/share/stakkar ,' "$work/page" || fail "the packaged manual page does not name /usr/share/stakkar"
}

check_stakkar_scores() {
    local deb="$1"
    unpack_list "$deb"
    holds stakkar-scores usr/bin/stakkar-scores usr/share/man/man8/stakkar-scores.8.gz \
        usr/lib/systemd/system/stakkar-scores.service \
        usr/share/doc/stakkar-scores/copyright usr/share/doc/stakkar-scores/changelog.gz \
        usr/share/lintian/overrides/stakkar-scores
    [ "$(grep -cv '/$' "$work/contents")" = 6 ] || fail "stakkar-scores holds more than its six files: $(cat "$work/contents")"
    local depends
    depends="$(dpkg-deb -f "$deb" Depends)"
    grep -q 'libqt6sql6-sqlite' <<<"$depends" || fail "stakkar-scores does not depend on Qt's SQLite driver"
    grep -q 'libqt6sql6 ' <<<"$depends" || fail "stakkar-scores does not depend on Qt SQL: $depends"
    grep -q 'libqt6widgets6' <<<"$depends" && fail "stakkar-scores depends on Qt Widgets"
    dpkg-deb -f "$deb" Recommends | grep -q 'libqt6sql6-psql' || fail "stakkar-scores does not recommend the PostgreSQL driver"
    dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/lib/systemd/system/stakkar-scores.service >"$work/unit"
    for line in 'ExecStart=/usr/bin/stakkar-scores $STAKKAR_SCORES_OPTIONS' DynamicUser=yes \
        StateDirectory=stakkar-scores WorkingDirectory=/var/lib/stakkar-scores ProtectSystem=strict \
        CapabilityBoundingSet= 'Environment="STAKKAR_SCORES_OPTIONS=--listen 127.0.0.1 --port 8888"'; do
        grep -qxF "$line" "$work/unit" || fail "the unit lacks the line $line"
    done
}

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack failed"; }
made="$(cd "$work" && ls ./*.deb | sed 's|^\./||; s|_.*||' | sort | tr '\n' ' ')"
[ "$made" = "$(printf '%s\n' "$@" | sort | tr '\n' ' ')" ] || fail "cpack made the packages $made, not $*"
for name in "$@"; do
    deb="$(ls "$work/${name}_"*.deb)"
    "check_${name//-/_}" "$deb"
done
unhardened=()
if [ "${STAKKAR_HARDENED:-1}" != 1 ]; then
    unhardened=(--suppress-tags hardening-no-fortify-functions,hardening-no-bindnow,hardening-no-relro,hardening-no-pie)
fi
lintian --pedantic --display-info --fail-on error,warning,info,pedantic --tag-display-limit 0 "${unhardened[@]}" \
    "$work"/*.deb
echo ok
