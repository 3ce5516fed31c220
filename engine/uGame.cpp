// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/uGame.h"

#include "core/uGameSeed.h"
#include "core/uRules.h"
#include "engine/uSound.h"
#include "look/uLang.h"
#include "look/uSkin.h"
#include "platform/uCodePage.h"
#include "platform/uLocalClock.h"
#include "storage/uPlayerOptions.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

// Between fixing a dropped figure and removing its rows, so that the player sees where it landed.
constexpr auto kDropPause = std::chrono::milliseconds(kDropPauseMs);

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

// The keys that change a watched game's speed: + and - of the keypad and of the main block.
constexpr uint16_t kVkAdd = 107;
constexpr uint16_t kVkSubtract = 109;
constexpr uint16_t kVkOemPlus = 187;
constexpr uint16_t kVkOemMinus = 189;

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
    QObject::connect(&timer_, &tGameTimer::skipped,
                     [this](qint64 nanoseconds) { playClock_.LeaveOut(nanoseconds); });
    view_->SetOnClick([this] { WellClick(); });
    scorePanel_ = new tMyFlatPanel(parent, 0, 0, *hiScore_, &pacer_);
    scorePanel_->SetOnWatch([this](const tGameRecord& record) { Watch(record); });
    stat_->Reset();
    ApplySkinToWell();
    tChanges idle;
    idle.Cells.AddAll();
    idle.Arrow = true;
    idle.Message = true;
    Show(idle);
    languageTarget_ = AddLanguageTarget([this] {
        view_->SetMessage(MessageText());
        if (Watching()) {
            stat_->SetCaption(WatchCaption());
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
    timer_.Stop();
    const std::string startTime = LocalNow().toString("dd.MM.yy hh:mm:ss").toStdString();
    const tGameSettings settings = Settings();
    const tChanges changes =
        model_.NewGame(settings, GameSeed(LowerText(stat_->PlayerName()), startTime, settings), startTime);
    pace_ = {};
    // The table may show a message box, whose event loop would otherwise go on running the game.
    ShowScores(gameTypeName_, difficultyName_);
    // The clock starts with the timer, so that no press is recorded before a tick it came after was due.
    playClock_.Start();
    Show(changes);
}

void tGlass::SetPause(bool on) {
    if (Watching()) {
        Show(watch_.Advance());
        watch_.SetPaused(on);
    } else {
        timer_.RunDue();
        if (model_.Playing()) {
            playClock_.SetPaused(on);
        }
    }
    Show(model_.SetPause(on));
}

void tGlass::Watch(const tGameRecord& record) {
    timer_.Stop();
    const tChanges started = watch_.Begin(model_, record);
    stat_->SetCaption(WatchCaption());
    Show(started);
}

void tGlass::StopGame(bool interrupted) {
    timer_.RunDue();
    Show(model_.StopGame(interrupted));
    EndWatch();
}

void tGlass::HandleKey(uint16_t code) {
    if (code == 0 || tableBusy_) {
        return;
    }
    // The press comes after the ticks that fell due before it.
    timer_.RunDue();
    if (Watching()) {
        if (code == kVkAdd || code == kVkOemPlus) {
            SetWatchSpeed(WatchSpeed() * 2);
        } else if (code == kVkSubtract || code == kVkOemMinus) {
            SetWatchSpeed(std::max(1, WatchSpeed() / 2));
        }
        return;
    }
    Press(ActionsBoundTo(actionKeys_, code));
}

void tGlass::HandleButton(const std::string& name) {
    if (name.empty() || tableBusy_ || Watching()) {
        return;
    }
    timer_.RunDue();
    Press(ActionsBoundTo(actionButtons_, name));
}

void tGlass::Press(tActionSet actions) {
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
        std::this_thread::sleep_for(kDropPause);
        Show(model_.FinishDrop());
    }
    pacer_.Hurry();
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

void tGlass::SetWatchSpeed(int speed) {
    watch_.SetSpeed(speed);
    stat_->SetCaption(WatchCaption());
}

void tGlass::EndWatch() {
    if (!Watching()) {
        return;
    }
    watch_.End();
    stat_->SetCaption({});
}

QString tGlass::WatchCaption() const {
    return LangText("s1205") + " x" + QString::number(WatchSpeed());
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
    Show(model_.ResetWell(brokenLines_));
}

void tGlass::ResetStat() {
    Show(model_.ResetCounters());
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

void tGlass::SetOptions(const tPlayerOptions& options) {
    SetGameType(GameTypeIndex(options.GameType).value_or(0) == 1, options.GameType);
    SetDifficulty(DifficultyIndex(options.Difficulty).value_or(0), options.Difficulty);
    SetStartLevel(options.StartLevel);
    SetBrokenLines(options.BrokenLines);
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

tGameSettings tGlass::Settings() const {
    return {extended_ ? 1 : 0, difficulty_, startLevel_, brokenLines_};
}

void tGlass::Show(const tChanges& changes) {
    changes.Cells.ForEach([this](int column, int row) { view_->DrawCell(column, row, LookOf(column, row)); });
    if (changes.Preview) {
        ShowNext(model_.Next());
    }
    if (changes.Arrow) {
        UpdateArrow();
    }
    if (changes.Counters != 0) {
        ShowCounters(changes.Counters);
    }
    if (changes.Message) {
        view_->SetMessage(MessageText());
        view_->SetMessageVisible(model_.MessageVisible());
    }
    if (changes.Interval) {
        timer_.SetInterval(model_.Interval());
    }
    // From the game's state rather than the change: a pause that came while the table held a message open
    // during NewGame keeps the timer stopped.
    // A watched game's steps come from its record's times, not from the timer.
    if (changes.Timer != tTimerChange::Keep && !Watching()) {
        if (!model_.TimerRunning() && model_.Paused()) {
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
        WriteResult(live_.Entry);
        hiScore_->UpdateCurrent(live_);
    }
    if (changes.GameOver) {
        const tBusy busy(tableBusy_);
        hiScore_->SaveResult(Result(), model_.Record());
    } else if (changes.Interrupted) {
        // The game is dropped: the table shows the player's row at level 1, score 0 again.
        ShowScores(gameTypeName_, difficultyName_);
    }
}

void tGlass::ShowCounters(uint16_t counters) {
    const tGameCounters& c = model_.Counters();
    if ((counters & ctStartTime) != 0) {
        stat_->SetStartTime(model_.StartTime());
    }
    if ((counters & ctScore) != 0) {
        stat_->SetScore(c.Score);
    }
    if ((counters & ctLevel) != 0) {
        stat_->SetLevel(c.Level);
    }
    if ((counters & ctFigures) != 0) {
        stat_->SetFigures(c.Figures);
    }
    if ((counters & ctKeys) != 0) {
        stat_->SetKeys(c.Keys);
    }
    if ((counters & ctCleared) != 0) {
        stat_->SetCleared(c.Cleared);
    }
    if ((counters & ctClears) != 0) {
        for (int k = 1; k <= 4; ++k) {
            stat_->SetClears(k, c.Clears[static_cast<size_t>(k - 1)]);
        }
    }
    // Last: the rates of the counters above follow the play time.
    if ((counters & ctPlayTime) != 0) {
        stat_->SetPlayTime(c.PlayTime());
    }
}

const tBitmap* tGlass::LookOf(int column, int row) {
    if (model_.Playing()) {
        // A paused game hides its pile.
        if (model_.Paused()) {
            return nullptr;
        }
        if (model_.Falling()) {
            if (model_.FigureCovers(column, row)) {
                return &view_->Block();
            }
            if (shadow_ && model_.MarkCovers(column, row)) {
                return &view_->Shadow();
            }
        }
    }
    return model_.Well().At(column, row) != 0 ? &view_->FixedBlock() : nullptr;
}

void tGlass::ApplySkinToWell() {
    SetShowFix(showFix_);
    view_->RebuildSkinImages();
    DrawAllTiles();
    stat_->ApplySkinColors();
    ShowNext(tFigure{});
    ShowNext(model_.Next());
    UpdateArrow();
}

void tGlass::DrawCell(int column, int row, bool useImage, const tBitmap& image) {
    if (tWell::Inside(column, row)) {
        view_->DrawCell(column, row, useImage ? &image : nullptr);
    }
}

void tGlass::ShowNext(const tFigure& figure) {
    const tBitmap& block = view_->Block();
    for (int c = 1; c <= 4; ++c) {
        for (int r = 1; r <= 4; ++r) {
            view_->DrawPreviewCell(c, r, IsBlock(figure, c, r) ? &block : nullptr);
        }
    }
}

void tGlass::UpdateArrow() {
    SetArrowRow(model_.ArrowRow());
}

void tGlass::DrawAllTiles() {
    for (int column = 1; column <= kWellColumns; ++column) {
        for (int row = 1; row <= kWellRows; ++row) {
            view_->DrawCell(column, row, nullptr);
        }
    }
}

QString tGlass::MessageText() const {
    const QString& newGame = LangText("s1201");
    switch (model_.Message()) {
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
    WriteResult(entry);
    return entry;
}

void tGlass::WriteResult(tHS& entry) const {
    const tGameSettings& game = model_.Settings();
    entry.StartTime = model_.StartTime();
    entry.PlayTime = stat_->PlayTimeText();
    entry.StartLevel = std::to_string(game.StartLevel);
    entry.BrokenLines = std::to_string(game.BrokenLines);
    entry.Figures = stat_->FiguresText();
    entry.Cleared = stat_->ClearedText();
    entry.Name = stat_->PlayerName();
    entry.Level = stat_->Level();
    entry.Score = stat_->Score();
}
