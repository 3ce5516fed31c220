// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/uGame.h"

#include "core/uGameResult.h"
#include "core/uGameSeed.h"
#include "engine/uSound.h"
#include "engine/uWellMessage.h"
#include "look/uLang.h"
#include "look/uSkin.h"
#include "platform/uCodePage.h"
#include "platform/uLocalClock.h"
#include "storage/uPlayerOptions.h"

#include <algorithm>

namespace {

// The actions a key or a button is bound to: one press may serve several.
template <typename tBinding>
tActionSet ActionsBoundTo(const std::array<tBinding, kActionCount>& bindings, const tBinding& pressed) {
    tActionSet actions = 0;
    for (size_t slot = 0; slot < bindings.size(); ++slot) {
        if (bindings[slot] == pressed) {
            actions |= ActionBit(static_cast<tAction>(slot));
        }
    }
    return actions;
}

const char* SoundName(tGameSound sound) {
    return sound == tGameSound::Drop ? "Drop" : "Lines";
}

// Sets a flag for as long as it lives.
class tBusy {
public:
    explicit tBusy(bool& flag) : flag_(flag) { flag_ = true; }
    ~tBusy() { flag_ = false; }
    tBusy(const tBusy&) = delete;
    tBusy& operator=(const tBusy&) = delete;

private:
    bool& flag_;
};

} // namespace

tGlass::tGlass(QWidget* parent, std::unique_ptr<tHiScore> hiScore)
    : watch_([this] { WatchStep(); }), view_(std::make_unique<tWellView>(parent, pacer_)),
      hiScore_(hiScore ? std::move(hiScore) : std::make_unique<tHiScore>()),
      stat_(std::make_unique<tStat>(parent, &pacer_)) {
    for (size_t i = 0; i < actionKeys_.size(); ++i) {
        actionKeys_[i] = kActions[i].WellKey;
        actionButtons_[i] = kActions[i].DefaultButton;
    }
    timer_.SetInterval(model_.Interval());
    QObject::connect(&timer_, &tGameTimer::timeout, [this] { Tick(); });
    QObject::connect(&timer_, &tGameTimer::held, [this] { EndDrop(); });
    QObject::connect(&timer_, &tGameTimer::skipped,
                     [this](qint64 nanoseconds) { playClock_.LeaveOut(nanoseconds); });
    view_->SetOnClick([this] { WellClick(); });
    scorePanel_ = new tMyFlatPanel(parent, 0, 0, *hiScore_, &pacer_);
    scorePanel_->SetOnWatch([this](const tGameRecord& record) { Watch(record); });
    ApplySkinToWell();
    tChanges idle;
    idle.Cells.AddAll();
    idle.Arrow = true;
    idle.Message = true;
    Show(idle);
    languageTarget_ = AddLanguageTarget([this] {
        view_->SetMessage(WellMessageText(model_.Message()));
        if (Watching()) {
            stat_->SetCaption(watch_.Caption());
        }
    });
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
    EndWatch();
    StopTimer();
    const std::string startTime = LocalNow().toString("dd.MM.yy hh:mm:ss").toStdString();
    const tChanges changes =
        model_.NewGame(settings_, GameSeed(LowerText(stat_->PlayerName()), startTime, settings_), startTime);
    pace_ = {};
    // The table may show a message box, whose event loop would otherwise go on running the game.
    ShowTable();
    // The clock starts with the timer, so that no press is recorded before a tick it came after was due.
    playClock_.Start();
    Show(changes);
}

void tGlass::SetPause(bool on) {
    if (Watching()) {
        Show(watch_.Advance());
        watch_.SetPaused(on);
        Show(model_.SetPause(on));
        return;
    }
    timer_.RunDue();
    if (timer_.Holding()) {
        pauseWaiting_ = on;
        return;
    }
    if (model_.Playing()) {
        playClock_.SetPaused(on);
    }
    Show(model_.SetPause(on));
}

void tGlass::Watch(const tGameRecord& record) {
    timer_.Stop();
    const tChanges started = watch_.Begin(model_, record);
    stat_->SetCaption(watch_.Caption());
    Show(started);
}

void tGlass::StopGame(bool interrupted) {
    timer_.RunDue();
    StopTimer();
    Show(model_.StopGame(interrupted));
    EndWatch();
}

void tGlass::HandleKey(uint16_t code) {
    if (code == 0 || tableBusy_) {
        return;
    }
    if (Watching()) {
        watch_.HandleKey(code);
        stat_->SetCaption(watch_.Caption());
        return;
    }
    Press(ActionsBoundTo(actionKeys_, code));
}

void tGlass::HandleButton(const std::string& name) {
    if (name.empty() || tableBusy_ || Watching()) {
        return;
    }
    Press(ActionsBoundTo(actionButtons_, name));
}

void tGlass::Press(tActionSet actions) {
    // The press comes after the ticks, and the end of a drop's pause, that fell due before it.
    timer_.RunDue();
    if (timer_.Holding()) {
        if (actions != 0 && waitingCount_ < waiting_.size()) {
            waiting_[waitingCount_++] = actions;
        }
        return;
    }
    const int64_t now = playClock_.Ms();
    // The game takes no press faster than a player's, so that every game it records is one a player can
    // play: the score server refuses a replay that holds one.
    if (model_.Playing() && !model_.Paused() && !pace_.Breaks(actions, now).empty()) {
        return;
    }
    const size_t recorded = model_.Record().Presses.size();
    const tChanges changes = model_.Press(actions, now);
    if (model_.Record().Presses.size() > recorded) {
        pace_.Take(actions, now);
    }
    Show(changes);
    if (changes.DropShown) {
        view_->RepaintWell();
    }
    pacer_.Hurry();
}

void tGlass::EndDrop() {
    Show(model_.FinishDrop());
    const size_t waiting = std::exchange(waitingCount_, 0);
    for (size_t i = 0; i < waiting && !timer_.Holding(); ++i) {
        Press(waiting_[i]);
    }
    if (const std::optional<bool> pause = std::exchange(pauseWaiting_, std::nullopt)) {
        SetPause(*pause);
    }
}

void tGlass::StopTimer() {
    timer_.Stop();
    waitingCount_ = 0;
    pauseWaiting_.reset();
}

void tGlass::WatchStep() {
    Show(watch_.Advance());
    if (!watch_.Done()) {
        return;
    }
    // A record that ends before its game did leaves the well as its last tick left it.
    if (model_.Playing()) {
        Show(model_.StopGame(true));
    }
    EndWatch();
}

void tGlass::EndWatch() {
    if (!Watching()) {
        return;
    }
    watch_.End();
    stat_->SetCaption({});
}

void tGlass::SetKey(int slot, uint16_t code) {
    if (slot >= 1 && slot <= kActionCount) {
        actionKeys_[static_cast<size_t>(slot - 1)] = code;
    }
}

void tGlass::SetButton(int slot, const std::string& name) {
    if (slot >= 1 && slot <= kActionCount) {
        actionButtons_[static_cast<size_t>(slot - 1)] = name;
    }
}

void tGlass::SetPlayer(const std::string& name) {
    stat_->SetPlayerName(name);
}

void tGlass::ShowScores(const std::string& gameTypeName, const std::string& difficultyName) {
    const tBusy busy(tableBusy_);
    hiScore_->LoadTable(gameTypeName, difficultyName, stat_->PlayerName());
}

void tGlass::ResetWell() {
    Show(model_.ResetWell(settings_.BrokenLines));
}

void tGlass::ResetStat() {
    Show(model_.ResetCounters());
}

void tGlass::SetShowFix(bool on) {
    showFix_ = on;
    view_->SetFixedLook(on);
}

void tGlass::SetOptions(const tPlayerOptions& options) {
    SetSettings({GameTypeIndex(options.GameType).value_or(0), DifficultyIndex(options.Difficulty).value_or(0),
                 options.StartLevel, options.BrokenLines});
    SetShadow(options.Shadow);
    SetShowFix(options.ShowFix);
    SetSounds(options.Sounds);
}

void tGlass::Tick() {
    if (tableBusy_) {
        return;
    }
    Show(model_.Tick());
}

void tGlass::WellClick() {
    if (model_.Playing()) {
        SetPause(!model_.Paused());
    } else {
        NewGame();
    }
}

void tGlass::Show(const tChanges& changes) {
    changes.Cells.ForEach([this](int column, int row) {
        view_->DrawCell(column, row, view_->LookOf(model_, shadow_, column, row));
    });
    if (changes.Preview) {
        view_->ShowPreview(model_.Next());
    }
    if (changes.Arrow) {
        view_->SetArrowRow(model_.ArrowRow());
    }
    if (changes.Counters != 0) {
        stat_->Show(model_.Counters(), changes.Counters);
    }
    if (changes.Message) {
        view_->SetMessage(WellMessageText(model_.Message()));
        view_->SetMessageVisible(model_.MessageVisible());
    }
    if (changes.Interval) {
        timer_.SetInterval(model_.Interval());
    }
    // A watched game's steps come from its record's times, not from the timer. From the game's state rather
    // than the change: a pause that came while the table held a message open during NewGame keeps the timer
    // stopped.
    if (changes.Timer != tTimerChange::Keep && !Watching()) {
        if (changes.Timer == tTimerChange::DropPause) {
            timer_.Hold(kDropPauseMs);
        } else if (!model_.TimerRunning() && model_.Paused()) {
            timer_.Pause();
        } else if (!model_.TimerRunning()) {
            timer_.Stop();
        } else if (changes.Timer == tTimerChange::Resume) {
            timer_.Resume();
        } else {
            timer_.Start();
        }
    }
    for (uint8_t i = 0; i < changes.SoundCount; ++i) {
        PlayResourceSound(SoundName(changes.Sounds[i]), sounds_);
    }
    // A watched game leaves the table as it is: it was stored when it was played.
    if (Watching()) {
        return;
    }
    // The table holds the running game whole: its row follows level and score, its texts are there for the
    // panel to show.
    if (changes.Counters != 0 || changes.Message) {
        live_.Playing = model_.Playing();
        WriteGameResult(model_, stat_->PlayerName(), stat_->DecimalSeparator(), live_.Entry);
        hiScore_->UpdateCurrent(live_);
    }
    if (changes.GameOver) {
        const tBusy busy(tableBusy_);
        tHS result;
        WriteGameResult(model_, stat_->PlayerName(), stat_->DecimalSeparator(), result);
        hiScore_->SaveResult(result, model_.Record());
    } else if (changes.Interrupted) {
        // The game is dropped: the table shows the player's row at level 1, score 0 again.
        ShowTable();
    }
}

void tGlass::ApplySkinToWell() {
    SetShowFix(showFix_);
    view_->RebuildSkinImages();
    view_->DrawAllTiles();
    stat_->ApplySkinColors();
    view_->ShowPreview(tFigure{});
    view_->ShowPreview(model_.Next());
    view_->SetArrowRow(model_.ArrowRow());
}
