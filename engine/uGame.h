// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The well object: one game at a time in the well, driven by its timer, by the keys the main window passes on
// and by clicks on the well, drawn into its own pictures on the panel it is given.

#include "core/uFigureSet.h"
#include "core/uWell.h"
#include "engine/uGameTimer.h"
#include "engine/uHSPanel.h"
#include "engine/uStat.h"
#include "engine/uWellView.h"
#include "engine/uhiscore.h"
#include "platform/uSubscription.h"

#include <QPointer>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class QWidget;

inline constexpr int kActionSlots = 7;

// What the well says over itself: how to start a game, that it is paused, over, or was given up.
enum class tWellMessage { NewGame = 1, Pause = 2, GameOver = 3, Interrupted = 4 };

class tGlass {
public:
    // The pictures, labels and statistics become children of `parent`. The high score table may be handed in;
    // otherwise the well makes its own.
    explicit tGlass(QWidget* parent, std::unique_ptr<tHiScore> hiScore = nullptr);
    virtual ~tGlass();
    tGlass(const tGlass&) = delete;
    tGlass& operator=(const tGlass&) = delete;

    // Starts a game; a running one is dropped without a record.
    void NewGame();
    void SetPause(bool on);
    // Ends the running game: interrupted (nothing is recorded) or over (the result goes to the table).
    void StopGame(bool interrupted);
    // Runs the action of every slot bound to this virtual-key code.
    void HandleKey(uint16_t code);
    // Slot 1..7: RotateRight, RotateLeft, MoveLeft, MoveRight, MoveDown, QMoveDown, Drop; code 0 = no key.
    void SetKey(int slot, uint16_t code);
    void SetPlayer(const std::string& name);
    // Loads the high score table of a game type and difficulty, with the player's live entry.
    void ShowScores(const std::string& gameTypeName, const std::string& difficultyName);
    // Shows the idle message and prepares the well anew; a game in progress keeps its state.
    void ResetWell();

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

    bool Paused() const { return paused_; }
    bool Playing() const { return playing_; }

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
    const tFigure& NextFigure() const { return next_; }
    void UpdateArrow();

    // Read-only views of the game for the main window, the tests and the benchmarks.
    const tWell& Well() const { return well_; }
    const tFigure& Current() const { return current_; }
    int FigX() const { return figX_; }
    int FigY() const { return figY_; }
    bool Falling() const { return falling_; }
    tWellMessage MessageState() const { return messageState_; }
    const tGameTimer& Timer() const { return timer_; }
    tStat& Stat() { return *stat_; }
    tHiScore& HiScore() { return *hiScore_; }
    // The view of the table beside the well; it goes with the well, or earlier with its parent.
    tMyFlatPanel* ScorePanel() const { return scorePanel_; }
    tWellView& View() { return *view_; }
    // Brings the changes of the well, the preview, the arrow, the labels and the table to the screen.
    const tFramePacer& Pacer() const { return pacer_; }

private:
    // The tests set up piles and figures through this.
    friend class tGlassProbe;

    void Spawn();
    void StepDown();
    void PrepareWell();
    void AddScore(int points);
    void CountKey() { stat_->SetKeys(stat_->Keys() + 1); }
    void SetInterval(int level);

    void MoveFigure(int dx, int dy);
    void RotateFigure(int direction);
    void FixFigure();
    void ClearLines();
    void MoveSideways(int dx);
    void SlideDown(int extraPoints);
    void Drop();

    void DrawFigure(int x, int y, const tBitmap* image);
    void ShowShadow(bool on);
    void SetArrowRow(int row) { view_->SetArrowRow(row); }
    void DrawWellFromGrid();
    void DrawAllTiles();
    void ShowMessage(tWellMessage state);
    std::string MessageText() const;
    // The running game's entry: the player, level and score, and the texts it would be stored with.
    tHS Result() const;

    bool paused_ = false;
    bool playing_ = false;
    std::array<uint16_t, kActionSlots> actionKeys_{38, 16, 37, 39, 40, 32, 17};
    tWell well_;
    tFigureTable figureTable_{};
    int figX_ = 0;
    int figY_ = 0;
    int figureCount_ = kStandardFigures;
    int shadowX_ = 0;
    int shadowY_ = 0;
    tFigure current_;
    tFigure next_;
    tGameTimer timer_;
    bool falling_ = false;
    bool shadow_ = true;
    bool showFix_ = false;
    bool sounds_ = true;
    int difficulty_ = 0;
    int baseInterval_ = 500;
    int figuresPerLevel_ = 50;
    tWellMessage messageState_ = tWellMessage::NewGame;
    // Before the views it paces, so that it outlives them.
    tFramePacer pacer_;
    std::unique_ptr<tWellView> view_;
    std::unique_ptr<tHiScore> hiScore_;
    QPointer<tMyFlatPanel> scorePanel_;
    std::unique_ptr<tStat> stat_;
    bool extended_ = false;
    int brokenLines_ = 0;
    int startLevel_ = 0;
    std::string gameTypeName_;
    std::string difficultyName_;
    tSubscription languageTarget_;
    tSubscription skinTarget_;
};
