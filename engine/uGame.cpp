// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/uGame.h"

#include "core/uRandom.h"
#include "core/uRules.h"
#include "engine/uSound.h"
#include "look/uLang.h"
#include "look/uSkin.h"

#include <QDateTime>
#include <algorithm>
#include <chrono>
#include <thread>

namespace {

// Between fixing a dropped figure and removing its rows, so that the player sees where it landed.
constexpr auto kDropPause = std::chrono::milliseconds(10);

enum tAction { RotateRight = 1, RotateLeft, MoveLeft, MoveRight, MoveDown, QMoveDown, DropAction };

} // namespace

tGlass::tGlass(QWidget* parent, std::unique_ptr<tHiScore> hiScore)
    : view_(std::make_unique<tWellView>(parent, pacer_)),
      hiScore_(hiScore ? std::move(hiScore) : std::make_unique<tHiScore>()),
      stat_(std::make_unique<tStat>(parent, &pacer_)) {
    SeedRandomForNewWell();
    BuildFigureTable(figureTable_);
    timer_.SetInterval(500);
    QObject::connect(&timer_, &tGameTimer::timeout, [this] { Tick(); });
    view_->SetOnClick([this] { WellClick(); });
    scorePanel_ = new tMyFlatPanel(parent, 0, 0, *hiScore_, &pacer_);
    stat_->Reset();
    ApplySkinToWell();
    PrepareWell();
    ShowMessage(tWellMessage::NewGame);
    view_->SetMessageVisible(true);
    languageTarget_ = AddLanguageTarget([this] { view_->SetMessage(MessageText()); });
    skinTarget_ = AddSkinTarget([this] { ApplySkinToWell(); });
    // A new well is in place at once, arrow and all, not a frame later.
    view_->RepaintWell();
}

tGlass::~tGlass() {
    timer_.Stop();
    // The panel reads the table, which goes with the well.
    delete scorePanel_.data();
}

void tGlass::NewGame() {
    // The table may show a message box, whose event loop would otherwise go on running the old game.
    timer_.Stop();
    playing_ = false;
    paused_ = true;
    falling_ = false;
    stat_->Reset();
    stat_->SetStartTime(QDateTime::currentDateTime().toString("dd.MM.yy hh:mm:ss").toStdString());
    ShowScores(gameTypeName_, difficultyName_);
    // The statistics still hold level 1 and score 0, where the table put the player's row.
    hiScore_->UpdateCurrent(tLiveGame{true, Result()});
    figureCount_ = extended_ ? kFigureKinds : kStandardFigures;
    next_ = tFigure{};
    PrepareWell();
    stat_->SetLevel(startLevel_);
    baseInterval_ = kDifficulties[static_cast<size_t>(difficulty_)].BaseInterval;
    figuresPerLevel_ = kDifficulties[static_cast<size_t>(difficulty_)].FiguresPerLevel;
    SetInterval(startLevel_);
    falling_ = false;
    playing_ = true;
    paused_ = false;
    view_->SetMessageVisible(false);
    timer_.Start();
}

void tGlass::SetPause(bool on) {
    if (!playing_) {
        return;
    }
    if (on) {
        timer_.Stop();
    } else {
        timer_.Start();
    }
    paused_ = on;
    if (on) {
        DrawAllTiles();
        ShowMessage(tWellMessage::Pause);
        view_->SetMessageVisible(true);
        return;
    }
    view_->SetMessageVisible(false);
    DrawWellFromGrid();
    if (falling_) {
        ShowShadow(true);
        DrawFigure(figX_, figY_, &view_->Block());
    }
}

void tGlass::StopGame(bool interrupted) {
    if (!playing_) {
        return;
    }
    // The game is over before the table hears of it: a message box the table shows runs the event loop, and
    // the timer must not bring another figure meanwhile.
    paused_ = true;
    playing_ = false;
    timer_.Stop();
    if (interrupted) {
        ShowMessage(tWellMessage::Interrupted);
        hiScore_->UpdateCurrent(tLiveGame{false, Result()});
        hiScore_->LoadTable(gameTypeName_, difficultyName_, stat_->PlayerName());
    } else {
        ShowMessage(tWellMessage::GameOver);
        AddScore(0);
        hiScore_->SaveResult(Result());
    }
    view_->SetMessageVisible(true);
}

void tGlass::HandleKey(uint16_t code) {
    if (!playing_ || paused_ || !falling_ || code == 0) {
        return;
    }
    for (int slot = 1; slot <= kActionSlots; ++slot) {
        if (actionKeys_[static_cast<size_t>(slot - 1)] != code) {
            continue;
        }
        switch (slot) {
        case RotateRight:
        case RotateLeft:
            ShowShadow(false);
            RotateFigure(slot == RotateRight ? -1 : 1);
            ShowShadow(true);
            break;
        case MoveLeft:
            MoveSideways(-1);
            break;
        case MoveRight:
            MoveSideways(1);
            break;
        case MoveDown:
            if (well_.Fits(current_, figX_, figY_ + 1)) {
                MoveFigure(0, 1);
                AddScore(1);
                CountKey();
            }
            break;
        case QMoveDown:
            if (well_.Fits(current_, figX_, figY_ + 1)) {
                timer_.Stop();
                SlideDown(2);
                timer_.Start();
                CountKey();
            }
            break;
        case DropAction:
            Drop();
            break;
        default:
            break;
        }
    }
    // A turn counts as a key press even when the figure could not turn.
    if (code == actionKeys_[RotateRight - 1] || code == actionKeys_[RotateLeft - 1]) {
        CountKey();
    }
    pacer_.Hurry();
}

void tGlass::SetKey(int slot, uint16_t code) {
    if (slot >= 1 && slot <= kActionSlots) {
        actionKeys_[static_cast<size_t>(slot - 1)] = code;
    }
}

void tGlass::SetPlayer(const std::string& name) {
    stat_->SetPlayerName(name);
}

void tGlass::ShowScores(const std::string& gameTypeName, const std::string& difficultyName) {
    hiScore_->LoadTable(gameTypeName, difficultyName, stat_->PlayerName());
}

void tGlass::ResetWell() {
    ShowMessage(tWellMessage::NewGame);
    view_->SetMessageVisible(true);
    PrepareWell();
}

void tGlass::SetGameType(bool extended, const std::string& name) {
    extended_ = extended;
    gameTypeName_ = name;
}

void tGlass::SetDifficulty(int difficulty, const std::string& name) {
    difficulty_ = difficulty;
    difficultyName_ = name;
}

void tGlass::SetShowFix(bool on) {
    showFix_ = on;
    view_->SetFixedLook(on);
}

void tGlass::Tick() {
    if (paused_) {
        timer_.Stop();
        return;
    }
    stat_->SetPlayTime(stat_->PlayTime() + timer_.Interval() / 1000.0);
    if (falling_) {
        StepDown();
        return;
    }
    if (!playing_) {
        return;
    }
    Spawn();
    if (!well_.Fits(current_, figX_, figY_)) {
        StopGame(false);
        return;
    }
    stat_->SetFigures(stat_->Figures() + 1);
    if (figuresPerLevel_ > 0 && stat_->Figures() % figuresPerLevel_ == 0) {
        stat_->SetLevel(stat_->Level() + 1);
        SetInterval(stat_->Level());
    }
    ShowShadow(true);
    DrawFigure(figX_, figY_, &view_->Block());
    falling_ = true;
}

void tGlass::WellClick() {
    if (playing_) {
        SetPause(!paused_);
    } else {
        NewGame();
    }
}

void tGlass::ApplySkinToWell() {
    SetShowFix(showFix_);
    view_->RebuildSkinImages();
    DrawAllTiles();
    stat_->ApplySkinColors();
    const tFigure kept = next_;
    ShowNext(tFigure{});
    ShowNext(kept);
    UpdateArrow();
}

void tGlass::DrawCell(int column, int row, bool useImage, const tBitmap& image) {
    if (tWell::Inside(column, row)) {
        view_->DrawCell(column, row, useImage ? &image : nullptr);
    }
}

void tGlass::ShowNext(const tFigure& figure) {
    next_ = figure;
    const tBitmap& block = view_->Block();
    for (int c = 1; c <= 4; ++c) {
        for (int r = 1; r <= 4; ++r) {
            view_->DrawPreviewCell(c, r, IsBlock(next_, c, r) ? &block : nullptr);
        }
    }
}

void tGlass::UpdateArrow() {
    SetArrowRow(well_.ArrowRow());
}

void tGlass::Spawn() {
    figX_ = 4;
    figY_ = -1;
    current_ = HasBlocks(next_) ? next_ : RandomFigure(figureTable_, figureCount_);
    ShowNext(RandomFigure(figureTable_, figureCount_));
}

void tGlass::StepDown() {
    if (well_.Fits(current_, figX_, figY_ + 1)) {
        MoveFigure(0, 1);
        return;
    }
    falling_ = false;
    FixFigure();
    if (playing_) {
        ClearLines();
    }
    Tick();
}

void tGlass::PrepareWell() {
    well_.Clear();
    DrawAllTiles();
    well_.LayBrokenLines(brokenLines_);
    DrawWellFromGrid();
    UpdateArrow();
}

void tGlass::AddScore(int points) {
    stat_->SetScore(stat_->Score() + points);
    hiScore_->UpdateCurrent(tLiveGame{playing_, Result()});
}

void tGlass::SetInterval(int level) {
    // Past the last level with its own speed the game runs as fast as the timer goes.
    timer_.SetInterval(std::max(1, baseInterval_ - 20 * (level - 1)));
}

void tGlass::MoveFigure(int dx, int dy) {
    DrawFigure(figX_, figY_, nullptr);
    figX_ += dx;
    figY_ += dy;
    DrawFigure(figX_, figY_, &view_->Block());
    if (dy == 1) {
        AddScore(1);
    }
}

void tGlass::RotateFigure(int direction) {
    const tFigure turned = TurnFigure(current_, direction);
    if (!well_.Fits(turned, figX_, figY_)) {
        return;
    }
    DrawFigure(figX_, figY_, nullptr);
    current_ = turned;
    DrawFigure(figX_, figY_, &view_->Block());
}

void tGlass::FixFigure() {
    PlayResourceSound("Drop", sounds_);
    for (int c = 1; c <= 4; ++c) {
        for (int r = 1; r <= 4; ++r) {
            const int column = figX_ + c - 1;
            const int row = figY_ + r - 1;
            if (!IsBlock(current_, c, r) || column < 1 || column > kWellColumns || row < 0 ||
                row > kWellRows) {
                continue;
            }
            if (row >= 1) {
                well_.Set(column, row, 1);
                view_->DrawCell(column, row, &view_->FixedBlock());
            } else if (playing_) {
                SetArrowRow(1);
                StopGame(false);
            }
        }
    }
}

void tGlass::ClearLines() {
    int k = figY_ + 3;
    int lines = 0;
    int bonus = 0;
    for (int pass = 0; pass < 4; ++pass) {
        if (k < 1 || k > kWellRows || !well_.RowIsFull(k)) {
            --k;
            continue;
        }
        const int top = well_.RemoveRow(k);
        for (int row = top; row <= k; ++row) {
            for (int column = 1; column <= kWellColumns; ++column) {
                view_->DrawCell(column, row, well_.At(column, row) != 0 ? &view_->FixedBlock() : nullptr);
            }
        }
        bonus += 100;
        AddScore(bonus);
        stat_->SetCleared(stat_->Cleared() + 1);
        ++lines;
    }
    if (lines > 0) {
        stat_->SetClears(lines, stat_->GetClears(lines) + 1);
        PlayResourceSound("Lines", sounds_);
    }
    UpdateArrow();
}

void tGlass::MoveSideways(int dx) {
    if (!well_.Fits(current_, figX_ + dx, figY_)) {
        return;
    }
    ShowShadow(false);
    MoveFigure(dx, 0);
    ShowShadow(true);
    CountKey();
}

void tGlass::SlideDown(int extraPoints) {
    while (well_.Fits(current_, figX_, figY_ + 1)) {
        MoveFigure(0, 1);
        AddScore(extraPoints);
    }
}

void tGlass::Drop() {
    if (!well_.Fits(current_, figX_, figY_ + 1)) {
        return;
    }
    timer_.Stop();
    SlideDown(2);
    AddScore(10);
    falling_ = false;
    FixFigure();
    view_->RepaintWell();
    std::this_thread::sleep_for(kDropPause);
    if (playing_ && !paused_) {
        ClearLines();
        timer_.Start();
        Tick();
    }
    CountKey();
}

void tGlass::DrawFigure(int x, int y, const tBitmap* image) {
    for (int c = 1; c <= 4; ++c) {
        for (int r = 1; r <= 4; ++r) {
            const int column = x + c - 1;
            const int row = y + r - 1;
            if (IsBlock(current_, c, r) && tWell::Inside(column, row)) {
                view_->DrawCell(column, row, image);
            }
        }
    }
}

void tGlass::ShowShadow(bool on) {
    if (!shadow_) {
        return;
    }
    if (on) {
        shadowX_ = figX_;
        shadowY_ = figY_;
        while (well_.Fits(current_, shadowX_, shadowY_)) {
            ++shadowY_;
        }
        --shadowY_;
    }
    const tBitmap* mark = on ? &view_->Shadow() : nullptr;
    for (int c = 1; c <= 4; ++c) {
        for (int r = 1; r <= 4; ++r) {
            const int column = shadowX_ + c - 1;
            const int row = shadowY_ + r - 1;
            if (!IsBlock(current_, c, r) || !tWell::Inside(column, row)) {
                continue;
            }
            const int fc = column - figX_ + 1;
            const int fr = row - figY_ + 1;
            const bool underFigure = fc >= 1 && fc <= 4 && fr >= 1 && fr <= 4 && IsBlock(current_, fc, fr);
            if (!underFigure) {
                view_->DrawCell(column, row, mark);
            }
        }
    }
}

void tGlass::DrawWellFromGrid() {
    for (int column = 1; column <= kWellColumns; ++column) {
        for (int row = 1; row <= kWellRows; ++row) {
            view_->DrawCell(column, row, well_.At(column, row) != 0 ? &view_->FixedBlock() : nullptr);
        }
    }
}

void tGlass::DrawAllTiles() {
    for (int column = 1; column <= kWellColumns; ++column) {
        for (int row = 1; row <= kWellRows; ++row) {
            view_->DrawCell(column, row, nullptr);
        }
    }
}

void tGlass::ShowMessage(tWellMessage state) {
    messageState_ = state;
    view_->SetMessage(MessageText());
}

std::string tGlass::MessageText() const {
    const std::string& newGame = LangText("s1201");
    switch (messageState_) {
    case tWellMessage::Pause:
        return HeaderForm(LangText("s1202"));
    case tWellMessage::GameOver:
        return HeaderForm(LangText("s1204")) + "\n\r" + newGame;
    case tWellMessage::Interrupted:
        return HeaderForm(LangText("s1203")) + "\n\r" + newGame;
    case tWellMessage::NewGame:
        break;
    }
    return newGame;
}

tHS tGlass::Result() const {
    tHS entry;
    static_cast<tResultTexts&>(entry) = {stat_->StartTime(),          stat_->PlayTimeText(),
                                         std::to_string(startLevel_), std::to_string(brokenLines_),
                                         stat_->FiguresText(),        stat_->ClearedText()};
    entry.Name = stat_->PlayerName();
    entry.Level = stat_->Level();
    entry.Score = stat_->Score();
    return entry;
}
