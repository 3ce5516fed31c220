// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The score server proving ten-minute games at the fastest speed by their replays.

#include <QString>

// kind: "sqlite" or "postgresql". Prints one "name: value unit" line a figure; 0 when every upload was taken.
int RunReplayBench(const QString& kind);
