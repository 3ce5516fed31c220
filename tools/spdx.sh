#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the licence line at the top of every source file that lacks it (after a script's #! line), so that
# files added later can be brought in line with one run: bash tools/spdx.sh
set -euo pipefail
cd "$(dirname "$0")/.."
line="SPDX-License-Identifier: GPL-3.0-or-later"
git ls-files -z -- '*.cpp' '*.h' '*.sh' '*CMakeLists.txt' '*.cmake' | while IFS= read -r -d '' file; do
    grep -q "$line" "$file" && continue
    case "$file" in
    *.cpp | *.h) sed -i "1i // $line" "$file" ;;
    *)
        if head -1 "$file" | grep -q '^#!'; then
            sed -i "1a # $line" "$file"
        else
            sed -i "1i # $line" "$file"
        fi
        ;;
    esac
done
