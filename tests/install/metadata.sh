#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The menu entry and the AppStream metadata pass the desktop's own validators.
set -euo pipefail
dist="$1"
desktop-file-validate "$dist"/*.desktop
appstreamcli validate --no-net "$dist"/*.metainfo.xml
echo ok
