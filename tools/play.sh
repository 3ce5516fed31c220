#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what building and playing need, builds the game alone (no tests, score server or benchmarks) and
# starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh play
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTAKKAR_BUILD_TESTS=OFF -DSTAKKAR_BUILD_SERVER=OFF \
    -DSTAKKAR_BENCH=OFF
cmake --build build -j "$(nproc)"
# The game keeps its files in run/, beside the shipped skins and languages; the skins' bitmaps are drawn by the
# build. The folder is named, since skins and languages alone do not make a folder the game's own.
mkdir -p run/skin run/lang
cp -r data/skin/. run/skin/
cp -r build/data/skin/. run/skin/
cp -r data/lang/. run/lang/
exec build/bin/stakkar --dir run
