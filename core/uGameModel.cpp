// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/uGameModel.h"

#include <algorithm>
#include <limits>

namespace {

constexpr const char* kNoStartTime = "00.00.00 00:00:00";
// A player presses a key about twice a second; the record of a long game grows from here.
constexpr size_t kPressesReserved = 4096;

int ValidIndex(int index, size_t count) {
    return std::clamp(index, 0, static_cast<int>(count) - 1);
}

} // namespace

tGameModel::tGameModel(uint32_t seed) : random_(seed), startTime_(kNoStartTime) {
    BuildFigureTable(figureTable_);
    PrepareWell(0);
    changes_ = {};
}

tChanges tGameModel::NewGame(const tGameSettings& settings, uint32_t seed, const std::string& startTime) {
    changes_ = {};
    settings_ = settings;
    settings_.GameType = ValidIndex(settings.GameType, kGameTypes.size());
    settings_.Difficulty = ValidIndex(settings.Difficulty, kDifficulties.size());
    random_.Seed(seed);
    ClearCounters();
    startTime_ = startTime;
    record_ = tGameRecord{settings_, seed, startTime, 0, {}, true};
    // Room for the presses of a few minutes' play, so that the record rarely grows during a game.
    record_.Presses.reserve(kPressesReserved);
    figureCount_ = kGameTypes[static_cast<size_t>(settings_.GameType)].FigureCount;
    // The preview keeps showing the last figure until the first one enters.
    next_ = tFigure{};
    falling_ = false;
    dropPending_ = false;
    PrepareWell(settings_.BrokenLines);
    counters_.Level = settings_.StartLevel;
    interval_ = IntervalAt(settings_.Difficulty, counters_.Level);
    changes_.Interval = true;
    playing_ = true;
    paused_ = false;
    messageVisible_ = false;
    changes_.Message = true;
    SetTimer(tTimerChange::Start);
    return changes_;
}

tChanges tGameModel::Tick() {
    changes_ = {};
    if (!dropPending_) {
        TimerTick();
    }
    return changes_;
}

tChanges tGameModel::Ticks(int64_t count) {
    changes_ = {};
    // The timer waits for a drop's pause to end: until then the dropped figure's rows are still there.
    if (dropPending_) {
        return changes_;
    }
    while (count > 0) {
        if (paused_) {
            // A paused or ended game stays as it is however many ticks come.
            TimerTick();
            break;
        }
        const int rows = landingY_ - figY_;
        if (playing_ && falling_ && rows > 0) {
            const int64_t fallen = std::min<int64_t>(count, rows);
            Fall(fallen);
            count -= fallen;
        } else {
            TimerTick();
            --count;
        }
    }
    return changes_;
}

void tGameModel::TimerTick() {
    // Only the timer's ticks count: the tick a landing runs at once is part of the one that landed it.
    if (playing_ && !paused_) {
        ++record_.Ticks;
        counters_.TickedMs += interval_;
    }
    RunTick();
}

void tGameModel::Fall(int64_t count) {
    MarkFigure(figY_);
    figY_ += static_cast<int>(count);
    MarkFigure(figY_);
    record_.Ticks += count;
    counters_.TickedMs += count * interval_;
    counters_.PlayTimeMs += count * interval_;
    changes_.Counters |= ctPlayTime;
    AddScore(static_cast<int>(count) * kRowPoints);
}

void tGameModel::RunTick() {
    if (paused_) {
        SetTimer(tTimerChange::Stop);
        return;
    }

    counters_.PlayTimeMs += interval_;
    changes_.Counters |= ctPlayTime;
    if (falling_) {
        StepDown();
        return;
    }
    if (!playing_) {
        return;
    }
    Spawn();
    if (!Fits(figX_, figY_)) {
        Stop(false);
        return;
    }
    ++counters_.Figures;
    changes_.Counters |= ctFigures;
    const tDifficultyRule& rule = kDifficulties[static_cast<size_t>(settings_.Difficulty)];
    if (counters_.Figures % rule.FiguresPerLevel == 0) {
        ++counters_.Level;
        changes_.Counters |= ctLevel;
        interval_ = IntervalAt(settings_.Difficulty, counters_.Level);
        changes_.Interval = true;
    }
    falling_ = true;
    PlaceMark();
    MarkFigure(figY_);
}

tChanges tGameModel::Press(tActionSet actions, int64_t timeMs) {
    changes_ = {};
    if (!playing_ || paused_ || !falling_ || actions == 0) {
        return changes_;
    }
    record_.Presses.push_back({record_.Ticks, actions, timeMs});
    const auto has = [actions](tAction action) { return (actions & ActionBit(action)) != 0; };
    if (has(tAction::RotateRight)) {
        RotateFigure(-1);
    }
    if (has(tAction::RotateLeft)) {
        RotateFigure(1);
    }
    if (has(tAction::MoveLeft)) {
        MoveSideways(-1);
    }
    if (has(tAction::MoveRight)) {
        MoveSideways(1);
    }
    if (has(tAction::MoveDown) && Fits(figX_, figY_ + 1)) {
        MoveFigure(0, 1);
        AddScore(kMoveDownExtraPoints);
        AddKey();
    }
    if (has(tAction::QMoveDown) && Fits(figX_, figY_ + 1)) {
        // The timer starts a fresh period: the figure stays movable for one whole interval at the bottom.
        SlideDown();
        SetTimer(tTimerChange::Start);
        AddKey();
    }
    if (has(tAction::Drop)) {
        Drop();
    }
    // A turn counts as a key press even when the figure could not turn, and once however many turns ran.
    if (has(tAction::RotateRight) || has(tAction::RotateLeft)) {
        AddKey();
    }
    return changes_;
}

tChanges tGameModel::FinishDrop() {
    changes_ = {};
    if (!dropPending_) {
        return changes_;
    }
    dropPending_ = false;
    if (playing_ && !paused_) {
        ClearLines();
        SetTimer(tTimerChange::Start);
        RunTick();
    }
    return changes_;
}

tChanges tGameModel::SetPause(bool on) {
    changes_ = {};
    if (!playing_) {
        return changes_;
    }
    // A resumed game goes on with the period the pause broke off, so that no pause, however often, holds a
    // figure up: the time of play between two ticks is the interval, pauses left out.
    SetTimer(on ? tTimerChange::Stop : tTimerChange::Resume);
    paused_ = on;
    // Pausing hides the pile; resuming shows it, the figure and its mark again.
    changes_.Cells.AddAll();
    if (on) {
        ShowMessage(tWellMessage::Pause, true);
    } else {
        messageVisible_ = false;
        changes_.Message = true;
    }
    return changes_;
}

tChanges tGameModel::StopGame(bool interrupted) {
    changes_ = {};
    Stop(interrupted);
    return changes_;
}

void tGameModel::Stop(bool interrupted) {
    if (!playing_) {
        return;
    }
    paused_ = true;
    playing_ = false;
    SetTimer(tTimerChange::Stop);
    if (interrupted) {
        ShowMessage(tWellMessage::Interrupted, true);
        changes_.Interrupted = true;
        return;
    }
    ShowMessage(tWellMessage::GameOver, true);
    AddScore(0);
    changes_.GameOver = true;
}

tChanges tGameModel::ResetWell(int brokenLines) {
    changes_ = {};
    ShowMessage(tWellMessage::NewGame, true);
    PrepareWell(brokenLines);
    return changes_;
}

tChanges tGameModel::ResetCounters() {
    changes_ = {};
    ClearCounters();
    return changes_;
}

void tGameModel::ClearCounters() {
    counters_ = tGameCounters{};
    startTime_ = kNoStartTime;
    changes_.Counters |= ctAll;
}

tChanges tGameModel::SetUpWell(const tWell& well) {
    changes_ = {};
    well_ = well;
    changes_.Cells.AddAll();
    UpdateArrow();
    if (falling_) {
        MarkFigure(landingY_);
        PlaceMark();
    }
    return changes_;
}

tChanges tGameModel::SetUpFigure(const tFigure& figure, int x, int y) {
    changes_ = {};
    if (falling_) {
        MarkFigure(landingY_);
        MarkFigure(figY_);
    }
    current_ = figure;
    blocks_ = BlocksOf(figure);
    figX_ = x;
    figY_ = y;
    falling_ = true;
    PlaceMark();
    MarkFigure(figY_);
    return changes_;
}

void tGameModel::MarkFigure(int y) {
    if (!seen_) {
        return;
    }
    for (int i = 0; i < blocks_.Count; ++i) {
        const int column = figX_ + blocks_.Columns[static_cast<size_t>(i)];
        const int row = y + blocks_.Rows[static_cast<size_t>(i)];
        if (tWell::Inside(column, row)) {
            changes_.Cells.Add(column, row);
        }
    }
}

void tGameModel::SetTimer(tTimerChange change) {
    timerRunning_ = change == tTimerChange::Start || change == tTimerChange::Resume;
    changes_.Timer = change;
}

void tGameModel::ShowMessage(tWellMessage message, bool visible) {
    message_ = message;
    messageVisible_ = visible;
    changes_.Message = true;
}

void tGameModel::AddScore(int points) {
    counters_.Score += points;
    changes_.Counters |= ctScore;
    changes_.Scored = true;
}

void tGameModel::AddKey() {
    ++counters_.Keys;
    changes_.Counters |= ctKeys;
}

void tGameModel::Spawn() {
    figX_ = kSpawnColumn;
    figY_ = kSpawnRow;
    current_ = HasBlocks(next_) ? next_ : RandomFigure(figureTable_, figureCount_, random_);
    blocks_ = BlocksOf(current_);
    next_ = RandomFigure(figureTable_, figureCount_, random_);
    changes_.Preview = true;
}

void tGameModel::StepDown() {
    if (Fits(figX_, figY_ + 1)) {
        MoveFigure(0, 1);
        return;
    }
    falling_ = false;
    FixFigure();
    if (playing_) {
        ClearLines();
    }
    RunTick();
}

void tGameModel::PrepareWell(int brokenLines) {
    well_.Clear();
    well_.LayBrokenLines(brokenLines, random_);
    changes_.Cells.AddAll();
    UpdateArrow();
}

void tGameModel::UpdateArrow() {
    arrowRow_ = well_.ArrowRow();
    changes_.Arrow = true;
}

void tGameModel::PlaceMark() {
    // The figure falls until one of its blocks meets the first block or the floor below it.
    int rows = blocks_.Count > 0 ? std::numeric_limits<int>::max() : 0;
    for (int i = 0; i < blocks_.Count; ++i) {
        const int column = figX_ + blocks_.Columns[static_cast<size_t>(i)];
        const int row = figY_ + blocks_.Rows[static_cast<size_t>(i)];
        if (column < 1 || column > kWellColumns) {
            rows = 0;
            break;
        }
        rows = std::min(rows, well_.BlockBelow(column, row) - row - 1);
    }
    landingY_ = figY_ + std::max(rows, 0);
    MarkFigure(landingY_);
}

void tGameModel::MoveFigure(int dx, int dy) {
    MarkFigure(figY_);
    figX_ += dx;
    figY_ += dy;
    MarkFigure(figY_);
    if (dy == 1) {
        AddScore(kRowPoints);
    }
}

void tGameModel::RotateFigure(int direction) {
    const tFigure turned = TurnFigure(current_, direction);
    const tFigureBlocks blocks = BlocksOf(turned);
    if (!well_.Fits(blocks, figX_, figY_)) {
        return;
    }
    MarkFigure(landingY_);
    MarkFigure(figY_);
    current_ = turned;
    blocks_ = blocks;
    PlaceMark();
    MarkFigure(figY_);
}

void tGameModel::MoveSideways(int dx) {
    if (!Fits(figX_ + dx, figY_)) {
        return;
    }
    MarkFigure(landingY_);
    MoveFigure(dx, 0);
    PlaceMark();
    AddKey();
}

void tGameModel::SlideDown() {
    while (Fits(figX_, figY_ + 1)) {
        MoveFigure(0, 1);
        AddScore(kSlideExtraPoints);
    }
}

void tGameModel::Drop() {
    if (!Fits(figX_, figY_ + 1)) {
        return;
    }
    SetTimer(tTimerChange::DropPause);
    SlideDown();
    AddScore(kDropPoints);
    falling_ = false;
    FixFigure();
    AddKey();
    dropPending_ = true;
    changes_.DropShown = true;
}

void tGameModel::FixFigure() {
    changes_.Play(tGameSound::Drop);
    MarkFigure(landingY_);
    for (int i = 0; i < blocks_.Count; ++i) {
        const int column = figX_ + blocks_.Columns[static_cast<size_t>(i)];
        const int row = figY_ + blocks_.Rows[static_cast<size_t>(i)];
        if (column < 1 || column > kWellColumns || row < 0 || row > kWellRows) {
            continue;
        }
        if (row >= 1) {
            well_.Set(column, row, 1);
            changes_.Cells.Add(column, row);
        } else if (playing_) {
            // A block rests above the well: the pile has reached the top.
            arrowRow_ = 1;
            changes_.Arrow = true;
            Stop(false);
        }
    }
}

void tGameModel::ClearLines() {
    // The four rows of the landed figure's box, from the bottom: a removed row lets the one above it down
    // into the same row, so the scan stays there.
    int k = figY_ + 3;
    int lines = 0;
    int bonus = 0;
    uint32_t full = well_.FullRows();
    for (int pass = 0; pass < 4; ++pass) {
        if (k < 1 || k > kWellRows || ((full >> k) & 1u) == 0) {
            --k;
            continue;
        }
        changes_.Cells.AddRows(well_.RemoveRow(k), k);
        full = well_.FullRows();
        bonus += kLineBonusStep;
        AddScore(bonus);
        ++counters_.Cleared;
        changes_.Counters |= ctCleared;
        ++lines;
    }
    if (lines > 0) {
        ++counters_.Clears[static_cast<size_t>(lines - 1)];
        changes_.Counters |= ctClears;
        changes_.Play(tGameSound::Lines);
    }
    UpdateArrow();
}
