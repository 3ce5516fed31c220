#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# --help and --version answer on the terminal with no display at all, so they cannot open a window or claim
# the single-instance guard; a bad option is refused with status 2, and so is a --dir that no save could
# write to, before anything is touched. The data tool answers both as well.
set -uo pipefail
game="$1"
tool="$2"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
fail() { echo "$1"; exit 1; }

out="$("$game" --help)" || fail "--help failed"
grep -q -- "--dir DIR" <<<"$out" || fail "--help does not name --dir: $out"
grep -q -- "--replay FILE" <<<"$out" || fail "--help does not name --replay: $out"
out="$("$game" --version)" || fail "--version failed"
[ "$out" = "Stakkar (1.0.2 build 64 beta 3b)" ] || fail "--version says: $out"

for bad in "--bogus" "--dir" "--dir=" "--replay" "--replay=" "--directory=x" "extra"; do
    err="$("$game" $bad 2>&1 >/dev/null)"
    status=$?
    [ "$status" = 2 ] || fail "$bad ended with status $status"
    grep -q "^stakkar: " <<<"$err" || fail "$bad gave no clear message: $err"
done
# A --dir naming a file, or a folder to be made under a file, is refused with the path and the reason; the
# file stays as it was.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
printf 'notes' >"$work/notes.txt"
for named in "$work/notes.txt" "$work/notes.txt/games"; do
    err="$(cd "$work" && "$game" --dir "$named" 2>&1 >/dev/null)"
    status=$?
    [ "$status" = 2 ] || fail "--dir $named ended with status $status"
    grep -qF "stakkar: --dir $named" <<<"$err" || fail "--dir $named does not name the folder: $err"
    grep -qF "$work/notes.txt is a file, not a folder" <<<"$err" || fail "--dir $named does not say why: $err"
done
err="$(cd "$work" && "$game" --dir=notes.txt 2>&1 >/dev/null)"
[ "$?" = 2 ] || fail "a relative --dir naming a file was not refused"
grep -qF "$work/notes.txt is a file" <<<"$err" || fail "a relative --dir is not named in full: $err"
[ "$(cat "$work/notes.txt")" = notes ] || fail "the file named by --dir changed"
[ "$(ls "$work")" = notes.txt ] || fail "files were left beside it: $(ls "$work")"

out="$("$tool" --help)" || fail "stakkar-data --help failed"
grep -q "^  scores FILE" <<<"$out" || fail "stakkar-data --help does not list the commands: $out"
out="$("$tool" --version)" || fail "stakkar-data --version failed"
[ "$out" = "stakkar-data, Stakkar (1.0.2 build 64 beta 3b)" ] || fail "stakkar-data --version says: $out"
"$tool" --bogus 2>/dev/null
[ "$?" = 2 ] || fail "stakkar-data --bogus is not bad usage"
echo ok
