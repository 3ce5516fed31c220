#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Stakkar and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
# The game runs in run/, beside the shipped skins and languages; the skins' bitmaps are drawn by the build.
mkdir -p run/skin run/lang
cp -r data/skin/. run/skin/
cp -r build/data/skin/. run/skin/
cp -r data/lang/. run/lang/
cd run && exec ../build/bin/stakkar
