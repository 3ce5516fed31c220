#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Kills the game's saves and the data tool with SIGKILL KILLS times (default 1000) at random moments and
# prints "K kills, L lost". Builds what it needs in build/ first.
set -euo pipefail
cd "$(dirname "$0")/.."
kills="${1:-1000}"
bash tools/setup.sh test
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTAKKAR_BUILD_TESTS=ON >/dev/null
cmake --build build -j "$(nproc)" --target stakkar-kill-test stakkar-save-loop stakkar-data
exec build/bin/stakkar-kill-test --writer build/bin/stakkar-save-loop --tool build/bin/stakkar-data \
    --kills "$kills"
