// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One game in the well, without a screen: the fixed blocks, the falling and the next figure, score, level,
// speed, broken lines, the statistics' counters and the game's phase. Every command runs the rules and
// returns what it changed; the timer, the drawing and the sounds belong to whoever shows the game. The same
// seed, settings and commands always play the same game.

#include "core/uFigureSet.h"
#include "core/uGameChanges.h"
#include "core/uGameRecord.h"
#include "core/uRandom.h"
#include "core/uRules.h"
#include "core/uWell.h"

#include <array>
#include <cstdint>
#include <string>

// What the well says over itself: how to start a game, that it is paused, over, or was given up.
enum class tWellMessage : uint8_t { NewGame = 1, Pause = 2, GameOver = 3, Interrupted = 4 };

// The counters of a game, as the statistics show them.
struct tGameCounters {
    int Score = 0;
    int Level = 1;
    int Figures = 0;
    int Keys = 0;
    int Cleared = 0;
    // Landings that removed 1, 2, 3 and 4 rows.
    std::array<int, 4> Clears{};
    // The sum of the timer's intervals over every tick of the game.
    int64_t PlayTimeMs = 0;
    // The intervals of the timer's own ticks alone, each at the speed it ran at: a landing brings the next
    // figure at once and adds an interval to the play time but not here, so the play time is never shorter.
    int64_t TickedMs = 0;
    double PlayTime() const { return static_cast<double>(PlayTimeMs) / 1000.0; }
    bool operator==(const tGameCounters&) const = default;
};

class tGameModel {
public:
    // An idle well: empty, the message that tells how to start a game. The seed serves broken lines laid
    // before the first game.
    explicit tGameModel(uint32_t seed = 0);

    // Starts a game; a running one is dropped without a record. The start time is the text the result keeps.
    tChanges NewGame(const tGameSettings& settings, uint32_t seed, const std::string& startTime);
    // One period of the timer.
    tChanges Tick();
    // count periods of the timer with no key between them: the game count Tick()s give, with a figure's
    // free fall taken in one step, so that a replay costs what its figures and keys cost, not its ticks.
    tChanges Ticks(int64_t count);
    // The actions of one key press, in tAction order, timeMs milliseconds of play after the game's start
    // (pauses left out); a press that turns counts as a key also when the turn is refused.
    tChanges Press(tActionSet actions, int64_t timeMs);
    // One action, for positions set up by hand, where the time does not count.
    tChanges Act(tAction action) { return Press(ActionBit(action), 0); }
    // After a Drop that showed its landed figure (DropShown): removes its rows and brings the next figure.
    tChanges FinishDrop();
    tChanges SetPause(bool on);
    // Ends the running game: interrupted (nothing is kept) or over (its result is).
    tChanges StopGame(bool interrupted);
    // The idle message, and the well emptied with the broken lines of these settings laid anew; a game in
    // progress keeps its state.
    tChanges ResetWell(int brokenLines);
    // Zero counts, score and play time, level 1, the placeholder start time.
    tChanges ResetCounters();

    // For a model no screen shows, such as a replay being checked: its commands no longer name the cells
    // the falling figure and its mark leave and enter, which is most of what a move costs; tChanges::Cells
    // keeps the changes of the fixed blocks alone.
    void SetUnseen() { seen_ = false; }

    // A position set up by hand, for puzzles and tests: the fixed blocks, and a figure put in play as a spawn
    // puts it.
    tChanges SetUpWell(const tWell& well);
    tChanges SetUpFigure(const tFigure& figure, int x, int y);

    bool Playing() const { return playing_; }
    bool Paused() const { return paused_; }
    // The current figure is in play: spawned and not yet fixed.
    bool Falling() const { return falling_; }
    bool DropPending() const { return dropPending_; }
    const tWell& Well() const { return well_; }
    const tFigure& Current() const { return current_; }
    // All cells empty: none yet.
    const tFigure& Next() const { return next_; }
    int FigX() const { return figX_; }
    int FigY() const { return figY_; }
    // The row the current figure would land at (its box's row 1), where the landing mark stands.
    int LandingY() const { return landingY_; }
    // Whether the falling figure, or its landing mark, covers a well cell.
    bool FigureCovers(int column, int row) const { return Covers(figY_, column, row); }
    bool MarkCovers(int column, int row) const { return Covers(landingY_, column, row); }
    int ArrowRow() const { return arrowRow_; }
    tWellMessage Message() const { return message_; }
    bool MessageVisible() const { return messageVisible_; }
    // The timer's period in milliseconds, and whether it runs.
    int Interval() const { return interval_; }
    bool TimerRunning() const { return timerRunning_; }
    const tGameCounters& Counters() const { return counters_; }
    const std::string& StartTime() const { return startTime_; }
    // The settings of the game started last.
    const tGameSettings& Settings() const { return settings_; }
    const tFigureTable& FigureTable() const { return figureTable_; }
    // The game started last as it was played: its settings, seed and start time, and every key press with the
    // tick it came after and its time. Replaying it gives back the same game.
    const tGameRecord& Record() const { return record_; }

private:
    bool Covers(int y, int column, int row) const {
        const int c = column - figX_ + 1;
        const int r = row - y + 1;
        return c >= 1 && c <= 4 && r >= 1 && r <= 4 && IsBlock(current_, c, r);
    }
    void MarkFigure(int y);
    // Whether the current figure fits with its box at (x, y).
    bool Fits(int x, int y) const { return well_.Fits(blocks_, x, y); }
    void SetTimer(tTimerChange change);
    void ShowMessage(tWellMessage message, bool visible);
    void ClearCounters();
    void AddScore(int points);
    void AddKey();
    void Spawn();
    void StepDown();
    void PrepareWell(int brokenLines);
    void UpdateArrow();
    // Finds where the current figure would land and marks the cells of its mark there.
    void PlaceMark();
    void MoveFigure(int dx, int dy);
    void RotateFigure(int direction);
    void MoveSideways(int dx);
    void SlideDown();
    void Drop();
    void FixFigure();
    void ClearLines();
    void TimerTick();
    // count ticks of the timer, each moving the falling figure a row down: it fits down to its landing row.
    void Fall(int64_t count);
    void RunTick();
    void Stop(bool interrupted);

    tChanges changes_;
    tFigureTable figureTable_{};
    tRandom random_;
    tWell well_;
    tGameSettings settings_;
    tFigure current_;
    tFigureBlocks blocks_;
    tFigure next_;
    int figX_ = 0;
    int figY_ = 0;
    int landingY_ = 0;
    int figureCount_ = kStandardFigures;
    int arrowRow_ = kWellRows;
    int interval_ = kDifficulties[0].BaseInterval;
    bool timerRunning_ = false;
    bool playing_ = false;
    bool paused_ = false;
    bool falling_ = false;
    bool dropPending_ = false;
    bool seen_ = true;
    tWellMessage message_ = tWellMessage::NewGame;
    bool messageVisible_ = true;
    tGameCounters counters_;
    std::string startTime_;
    tGameRecord record_;
};
