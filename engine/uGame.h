// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The well object: one game at a time in the well, driven by its timer, by the keys the main window passes on
// and by clicks on the well, drawn into its own pictures on the panel it is given.

#include "core/uGameModel.h"
#include "core/uPressPace.h"
#include "core/uRules.h"
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

    // The settings of the games started from now on; ResetWell lays their broken lines. The high score table
    // shown is that of their game type and difficulty.
    void SetSettings(const tGameSettings& settings) { settings_ = settings; }
    const tGameSettings& Settings() const { return settings_; }
    // The landing mark, at once.
    void SetShadow(bool on) { shadow_ = on; }
    // Fixed blocks drawn from now on take the marked (true) or the plain block look.
    void SetShowFix(bool on);
    // Whether landings and cleared rows are heard.
    void SetSounds(bool on) { sounds_ = on; }
    // The player's game options: game type, difficulty, start level, broken lines (from the next game on),
    // the landing mark, the fixed-block look and the sounds (at once). Keys are bound one by one with SetKey.
    // A name the rules table does not know stands for its first game type or difficulty.
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
    const tFigure& NextFigure() const { return model_.Next(); }

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
    // The one way a player's keys and buttons reach the game: the press at its time of play, unless it comes
    // faster than a player's can; during a drop's pause it waits for the pause's end, as a player's key
    // waits for the program.
    void Press(tActionSet actions);
    // After a drop's pause: the dropped figure's rows go, then what came meanwhile.
    void EndDrop();
    // The steps of the watched game that fell due, and its end after its last one.
    void WatchStep();
    void EndWatch();
    // Stops the timer, a drop's pause with it, and forgets what waited for that pause.
    void StopTimer();
    void ShowTable() { ShowScores(TypeName(), DifficultyName()); }
    std::string TypeName() const {
        return std::string(kGameTypes[static_cast<size_t>(settings_.GameType)].Name);
    }
    std::string DifficultyName() const {
        return std::string(kDifficulties[static_cast<size_t>(settings_.Difficulty)].Name);
    }

    tGameModel model_;
    std::array<uint16_t, kActionCount> actionKeys_{};
    std::array<std::string, kActionCount> actionButtons_{};
    tGameTimer timer_;
    tPlayClock playClock_;
    tPressPace pace_;
    // What came during a drop's pause: the presses, and a pause of the game asked for.
    std::array<tActionSet, 8> waiting_{};
    size_t waitingCount_ = 0;
    std::optional<bool> pauseWaiting_;
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
    tGameSettings settings_;
    tSubscription languageTarget_;
    tSubscription skinTarget_;
};
