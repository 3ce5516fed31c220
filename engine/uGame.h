// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The well object: one game at a time in the well, driven by its timer, by the keys the main window passes on
// and by clicks on the well, drawn into its own pictures on the panel it is given.

#include "core/uGameModel.h"
#include "core/uPressPace.h"
#include "engine/uGameTimer.h"
#include "engine/uHSPanel.h"
#include "engine/uPlayClock.h"
#include "engine/uReplayWatch.h"
#include "engine/uStat.h"
#include "engine/uWellView.h"
#include "engine/uhiscore.h"
#include "platform/uSubscription.h"

#include <QPointer>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class QWidget;
struct tPlayerOptions;

class tGlass {
public:
    // The pictures, labels and statistics become children of `parent`. The high score table may be handed in;
    // otherwise the well makes its own.
    explicit tGlass(QWidget* parent, std::unique_ptr<tHiScore> hiScore = nullptr);
    virtual ~tGlass();
    tGlass(const tGlass&) = delete;
    tGlass& operator=(const tGlass&) = delete;

    // Starts a game; a running one is dropped without a record. Its figures follow from the player's name,
    // the local time it starts at and its settings.
    void NewGame();
    // Plays a recorded game back in the well at the times it was played, until its last tick. Pause and a
    // click on the well pause it, Escape (StopGame) ends it, + and - change its speed; the player's keys do
    // nothing. Nothing of it is recorded and the high score table stays as it is. A game in progress is
    // dropped without a record.
    void Watch(const tGameRecord& record);
    bool Watching() const { return watch_.Active(); }
    // x1, x2, x4 or x8.
    int WatchSpeed() const { return watch_.Speed(); }
    void SetPause(bool on);
    // Ends the running game: interrupted (nothing is recorded) or over (the result goes to the table).
    void StopGame(bool interrupted);
    // Runs the action of every slot bound to this virtual-key code; while a game is watched, + and - change
    // its speed instead. A press that comes faster than a player's can (tPressPace) is not taken.
    void HandleKey(uint16_t code);
    // Slot 1..7: RotateRight, RotateLeft, MoveLeft, MoveRight, MoveDown, QMoveDown, Drop; code 0 = no key.
    void SetKey(int slot, uint16_t code);
    // A game controller button pressed, by SDL's name for it: the actions of every slot bound to it run as a
    // key's do, and are recorded the same way. While a game is watched it does nothing.
    void HandleButton(const std::string& name);
    // Slot 1..7 as for SetKey; an empty name binds no button.
    void SetButton(int slot, const std::string& name);
    void SetPlayer(const std::string& name);
    // Loads the high score table of a game type and difficulty, with the player's live entry.
    void ShowScores(const std::string& gameTypeName, const std::string& difficultyName);
    // Shows the idle message and prepares the well anew; a game in progress keeps its state.
    void ResetWell();
    // The statistics start again from zero, as when the well is reset after changed options.
    void ResetStat();

    // Game settings, as the options page holds them; they take effect at the next NewGame unless noted.
    void SetGameType(bool extended, const std::string& name);
    void SetDifficulty(int difficulty, const std::string& name);
    void SetStartLevel(int level) { startLevel_ = level; }
    // Also used by ResetWell.
    void SetBrokenLines(int lines) { brokenLines_ = lines; }
    // The landing mark, at once.
    void SetShadow(bool on) { shadow_ = on; }
    // Fixed blocks drawn from now on take the marked (true) or the plain block look.
    void SetShowFix(bool on);
    // Whether landings and cleared rows are heard.
    void SetSounds(bool on) { sounds_ = on; }
    // The player's game options: game type, difficulty, start level, broken lines (from the next game on),
    // the landing mark, the fixed-block look and the sounds (at once). Keys are bound one by one with SetKey.
    void SetOptions(const tPlayerOptions& options);

    bool Paused() const { return model_.Paused(); }
    bool Playing() const { return model_.Playing(); }

    // The timer's handler: one step of the game.
    void Tick();
    // A click on the well or its message: pause or resume a game, or start one.
    void WellClick();

    // Everything the well draws from the skin record is rebuilt and redrawn (tiles, empty preview cell,
    // frame, fixed-block look, preview, arrow, text colours); applying a skin runs it.
    void ApplySkinToWell();
    // One well cell: the image when useImage is set, the cell's background tile otherwise.
    void DrawCell(int column, int row, bool useImage, const tBitmap& image);
    // The preview shows this figure (an all-empty one blanks it).
    void ShowNext(const tFigure& figure);
    const tFigure& NextFigure() const { return model_.Next(); }
    void UpdateArrow();

    // A position set up by hand, for puzzles and tests: the fixed blocks, and a figure put in play.
    void SetUpWell(const tWell& well) { Show(model_.SetUpWell(well)); }
    void SetUpFigure(const tFigure& figure, int x, int y) { Show(model_.SetUpFigure(figure, x, y)); }

    // Read-only views of the game for the main window, the tests and the benchmarks.
    const tGameModel& Model() const { return model_; }
    const tWell& Well() const { return model_.Well(); }
    const tFigure& Current() const { return model_.Current(); }
    int FigX() const { return model_.FigX(); }
    int FigY() const { return model_.FigY(); }
    bool Falling() const { return model_.Falling(); }
    tWellMessage MessageState() const { return model_.Message(); }
    const tGameTimer& Timer() const { return timer_; }
    tStat& Stat() { return *stat_; }
    tHiScore& HiScore() { return *hiScore_; }
    // The view of the table beside the well; it goes with the well, or earlier with its parent.
    tMyFlatPanel* ScorePanel() const { return scorePanel_; }
    tWellView& View() { return *view_; }
    // Brings the changes of the well, the preview, the arrow, the labels and the table to the screen.
    const tFramePacer& Pacer() const { return pacer_; }

private:
    // Brings what a command changed to the screen, the speakers and the high score table.
    void Show(const tChanges& changes);
    // Runs a key press's actions, showing a drop's landed figure a moment before its rows go.
    void Press(tActionSet actions);
    // The steps of the watched game that fell due, and its end after its last one.
    void WatchStep();
    void SetWatchSpeed(int speed);
    void EndWatch();
    QString WatchCaption() const;
    void ShowCounters(uint16_t counters);
    // What a well cell shows now: the falling figure, its landing mark, a fixed block or (nullptr) its tile.
    const tBitmap* LookOf(int column, int row);
    tGameSettings Settings() const;
    void SetArrowRow(int row) { view_->SetArrowRow(row); }
    void DrawAllTiles();
    QString MessageText() const;
    // The running game's entry: the player, level and score, and the texts it would be stored with.
    tHS Result() const;
    // The result as it stands, into the memory `entry` has.
    void WriteResult(tHS& entry) const;

    tGameModel model_;
    std::array<uint16_t, kActionCount> actionKeys_{};
    std::array<std::string, kActionCount> actionButtons_{};
    tGameTimer timer_;
    tPlayClock playClock_;
    tPressPace pace_;
    tReplayWatch watch_;
    bool shadow_ = true;
    bool showFix_ = false;
    bool sounds_ = true;
    // While the table reads or writes its file it may hold a message box open, whose event loop must not move
    // the game.
    bool tableBusy_ = false;
    // Before the views it paces, so that it outlives them.
    tFramePacer pacer_;
    std::unique_ptr<tWellView> view_;
    std::unique_ptr<tHiScore> hiScore_;
    // The running game as the table last took it, kept so that each tick rewrites it in place.
    tLiveGame live_;
    QPointer<tMyFlatPanel> scorePanel_;
    std::unique_ptr<tStat> stat_;
    bool extended_ = false;
    int difficulty_ = 0;
    int brokenLines_ = 0;
    int startLevel_ = 0;
    std::string gameTypeName_;
    std::string difficultyName_;
    tSubscription languageTarget_;
    tSubscription skinTarget_;
};
