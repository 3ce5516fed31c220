#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every manual page renders without a warning, as lintian renders it; the game's pages name the folder this
# installation keeps the shipped skins and languages in (DATADIR/stakkar), and the Debian package's /usr's;
# the score server's page names every option the program's --help lists.
#   manual_pages.sh DIST BUILT_DIST DATADIR [STAKKAR_SCORES]
set -euo pipefail
dist="$1"
built="$2"
datadir="$3"
scores="${4:-}"
fail() { echo "$1"; exit 1; }

for page in stakkar.6 stakkar-data.6; do
    for form in installed debian; do
        grep -q '@' "$built/$form/$page" && fail "$form/$page keeps a placeholder: $(grep '@' "$built/$form/$page")"
    done
    grep -qF "$datadir/stakkar" "$built/installed/$page" || fail "the installed $page does not name $datadir/stakkar"
    grep -qF "/usr/share/stakkar" "$built/debian/$page" || fail "the packaged $page does not name /usr/share/stakkar"
done

for page in "$dist"/*.[1-8] "$built"/installed/*.[1-8] "$built"/debian/*.[1-8]; do
    warnings="$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)"
    [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
done

if [ -n "$scores" ]; then
    options="$("$scores" --help | grep -o -- '--[a-z][a-z-]*' | sort -u)"
    [ -n "$options" ] || fail "stakkar-scores --help lists no options"
    for option in $options; do
        grep -qF -- "${option//-/\\-}" "$dist/stakkar-scores.8" || fail "stakkar-scores.8 does not describe $option"
    done
fi
echo ok
