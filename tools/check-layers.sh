#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Keeps the libraries in one direction: a file may include headers of its own folder and of the folders below
# it, and a library may link only the libraries below it. Prints every arrow that runs upward and fails then.
set -euo pipefail
cd "$(dirname "$0")/.."

# Bottom up. A folder's rank is its place here; server stands beside the game and sees only storage and below.
layers=(core platform storage look widgets engine shell)
declare -A rank=([core]=0 [platform]=1 [storage]=2 [look]=3 [widgets]=4 [engine]=5 [shell]=6 [server]=3)
declare -A library=([stakkar_platform]=platform [stakkar_storage]=storage [stakkar_core]=core
                    [stakkar_look]=look [stakkar_widgets]=widgets [stakkar_engine]=engine [stakkar_shell]=shell
                    [stakkar_server]=server)

# The folder a path belongs to: the deepest listed folder holding it.
folder_of() {
    local path="$1"
    case "$path" in
    platform/* | storage/* | core/* | look/* | widgets/* | engine/* | shell/* | server/*) echo "${path%%/*}" ;;
    *) echo "" ;;
    esac
}

faults=0
for own in "${layers[@]}" server; do
    for file in $(find "$own" -maxdepth 1 -type f \( -name '*.cpp' -o -name '*.h' \)); do
        while IFS= read -r header; do
            target="$(folder_of "$header")"
            [ -n "$target" ] || continue
            if [ "$target" != "$own" ] && [ "${rank[$target]}" -ge "${rank[$own]}" ]; then
                echo "upward include: $file includes $header ($own may use only what lies below it)"
                faults=$((faults + 1))
            fi
            if [ "$own" = server ] && [ "$target" != server ] && [ "${rank[$target]}" -gt 2 ]; then
                echo "upward include: $file includes $header (the server uses storage, platform and core only)"
                faults=$((faults + 1))
            fi
        done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
    done
    # Links: every stakkar_ library named in the folder's target_link_libraries lines.
    cmake_file="$own/CMakeLists.txt"
    [ -f "$cmake_file" ] || continue
    for linked in $(tr '\n' ' ' < "$cmake_file" | grep -o 'target_link_libraries([^)]*)' | grep -o 'stakkar_[a-z_]*' || true); do
        target="${library[$linked]:-}"
        [ -n "$target" ] || continue
        if [ "$target" != "$own" ] && [ "${rank[$target]}" -ge "${rank[$own]}" ]; then
            echo "upward link: $cmake_file links $linked ($own may link only what lies below it)"
            faults=$((faults + 1))
        fi
    done
done

# The libraries below the widgets build without them.
for own in platform storage core look server; do
    if grep -ln '#include <Q\(Widget\|Label\|Dialog\|Frame\|Application\|ComboBox\|CheckBox\)' "$own"/*.cpp "$own"/*.h 2>/dev/null; then
        echo "widgets used in $own"
        faults=$((faults + 1))
    fi
    if grep -q 'Qt6::Widgets' "$own/CMakeLists.txt"; then
        echo "$own/CMakeLists.txt links Qt Widgets"
        faults=$((faults + 1))
    fi
done

if [ "$faults" -gt 0 ]; then
    echo "$faults arrows run upward"
    exit 1
fi
echo "every include and link runs downward"
