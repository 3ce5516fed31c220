#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The score server's systemd unit passes systemd-analyze verify without a word, with the built program in
# place of the installed one and its manual page where the unit's documentation points, and its sandbox keeps
# the exposure systemd-analyze security rates at 2.0 or less.
#   service_unit.sh DIST STAKKAR_SCORES
set -euo pipefail
dist="$1"
scores="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "$1"; exit 1; }

unit="$work/stakkar-scores.service"
grep -q '^ExecStart=/usr/bin/stakkar-scores ' "$dist/stakkar-scores.service" || fail "the unit does not start /usr/bin/stakkar-scores"
sed "s|^ExecStart=/usr/bin/stakkar-scores |ExecStart=$scores |" "$dist/stakkar-scores.service" >"$unit"
mkdir -p "$work/man/man8"
cp "$dist/stakkar-scores.8" "$work/man/man8/"

out="$(MANPATH="$work/man" systemd-analyze verify "$unit" 2>&1)" || fail "systemd-analyze verify failed: $out"
[ -z "$out" ] || fail "systemd-analyze verify: $out"
systemd-analyze security --offline=yes --threshold=20 "$unit" >"$work/security" 2>&1 ||
    fail "the unit exposes too much: $(grep -E 'Overall|✗' "$work/security")"
echo ok
