// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whole games played through the game model, for the tests and benchmarks that need real ones: the
// auto-player steers each figure to the place it picks and finishes it in one of several styles, or presses
// any keys at any tick and pauses now and then; and the result such a game enters in a high score table, as
// the well writes it. Every game is played in the time of play as the well plays it, its seed drawn from the
// player's name, start time and settings, and no press faster than a real player's: the score server takes
// its replays as it takes the game's.

#include "core/uGameModel.h"
#include "core/uPressPace.h"
#include "core/uResultRecord.h"
#include "core/uTickSchedule.h"

#include <functional>
#include <random>
#include <string>

inline constexpr const char* kScriptedPlayer = "Player";
inline constexpr const char* kScriptedStart = "01.06.24 12:00:00";

// A model game and its clock: ticks when the timer falls due, presses at the times they are given.
class tTimedGame {
public:
    tTimedGame(const tGameSettings& settings, const std::string& name = kScriptedPlayer,
               const std::string& startTime = kScriptedStart);

    const tGameModel& Game() const { return game_; }
    const tGameRecord& Record() const { return game_.Record(); }
    // The next tick at its time; a paused or ended game's clock stands still.
    void Tick();
    // The press at the first moment at least afterMs after the last step that the pace bounds allow; the
    // ticks due before then run first. A drop's rows go after the drop's pause.
    void Press(tActionSet actions, int64_t afterMs = 0);
    // A pause of no time of play; the timer starts its period afresh after it.
    void Pause();
    void Stop(bool interrupted) { game_.StopGame(interrupted); }
    int64_t Now() const { return now_; }

private:
    void RunTicksUntil(int64_t timeMs);

    tGameModel game_;
    tTickSchedule schedule_;
    tPressPace pace_;
    int64_t now_ = 0;
};

// How the player finishes a figure once it is steered to its place; Random presses any keys at any tick and
// pauses now and then instead.
enum class tPlayStyle { Drop, Slide, Push, Wait, Random };
inline constexpr int kPlayStyles = 5;

// Plays a started game until the pile reaches the top or maxFigures figures have entered, each press as soon
// as a player's may come. Returns the ticks of the timer.
int PlayGame(tTimedGame& game, tPlayStyle style, int maxFigures, std::mt19937& random);
// Drops every figure where it enters until the pile reaches the top: the game ends by its rules, as a game
// whose result enters a table does.
void EndGame(tTimedGame& game);
// What the well enters in the table at game over, the rates written with a decimal comma.
tResultRecord ResultOf(const tGameModel& game, const std::string& name = kScriptedPlayer);
// A game the auto-player plays, recorded: it steers each new figure to its place and lets it fall on its own.
// Ends at game over, after maxTicks, or when `enough`, asked every thousand figures, says so.
tGameRecord PlayRecordedGame(const tGameSettings& settings, const std::string& name, int64_t maxTicks,
                             const std::function<bool(const tGameRecord&)>& enough = {});
