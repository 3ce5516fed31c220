// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The result a game enters in a high score table, as the statistics write it: the one way from a game to its
// result, for the well, the score server's check of a replay and the benchmarks alike.

#include "core/uGameModel.h"
#include "core/uResultRecord.h"

#include <string>

// The rates are written with the decimal separator given, as the player's system writes numbers.
tResultRecord GameResult(const tGameModel& game, const std::string& name, char decimalSeparator);
// The same into a record that has its memory already, as the well writes its running game at every tick.
void WriteGameResult(const tGameModel& game, const std::string& name, char decimalSeparator,
                     tResultRecord& result);
