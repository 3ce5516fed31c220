// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whole games played through the game model, for the tests and benchmarks that need real ones: the
// auto-player steers each figure to the place it picks and finishes it in one of several styles, or presses
// any keys at any tick and pauses now and then; and the result such a game enters in a high score table, as
// the well writes it.

#include "core/uGameModel.h"
#include "core/uResultRecord.h"

#include <functional>
#include <random>
#include <string>

// How the player finishes a figure once it is steered to its place; Random presses any keys at any tick and
// pauses now and then instead.
enum class tPlayStyle { Drop, Slide, Push, Wait, Random };
inline constexpr int kPlayStyles = 5;

// Plays a started game until the pile reaches the top or maxFigures figures have entered. Returns the ticks
// of the timer.
int PlayGame(tGameModel& game, tPlayStyle style, int maxFigures, std::mt19937& random);
// Drops every figure where it enters until the pile reaches the top: the game ends by its rules, as a game
// whose result enters a table does.
void EndGame(tGameModel& game);
// What the well enters in the table at game over: the statistics' texts of the model's counters.
tResultRecord ResultOf(const tGameModel& game, const std::string& name);
// A game the auto-player plays, recorded: it steers each new figure to its place and lets it fall on its own,
// so every tick of the game is a tick of the fall at the game's speed. Ends at game over, after maxTicks, or
// when `enough`, asked every thousand figures, says so.
tGameRecord PlayRecordedGame(const tGameSettings& settings, uint32_t seed, int64_t maxTicks,
                             const std::function<bool(const tGameRecord&)>& enough = {});
