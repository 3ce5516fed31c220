// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The score server proving results by their replays: ten-minute games, short ones and hostile replays.

#include <QString>

// kind: "sqlite" or "postgresql". Prints one "name: value unit" line a figure; 0 when every upload was taken.
int RunReplayBench(const QString& kind);
