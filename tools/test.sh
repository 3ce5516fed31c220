#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Stakkar with its tests, score server and benchmarks, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh test
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTAKKAR_BUILD_TESTS=ON -DSTAKKAR_BUILD_SERVER=ON \
    -DSTAKKAR_BENCH=ON
cmake --build build -j "$(nproc)"
ctest --test-dir build --output-on-failure -j "$(nproc)"
