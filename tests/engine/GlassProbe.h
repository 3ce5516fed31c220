// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the well tests need beyond the main window's operations: set up piles and figures, look at pixels,
// record what the well tells the high score table and which sounds it plays.

#include "core/uRandom.h"
#include "engine/uGame.h"
#include "engine/uSound.h"
#include "look/uLang.h"
#include "look/uSkin.h"
#include "tests/support/SoundRecorder.h"

#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

class tGlassProbe {
public:
    explicit tGlassProbe(tGlass& glass) : glass_(glass) {}

    // Rows from the top of the given row down: '#' fixed block, '.' empty; the well is drawn from it.
    void SetRows(int firstRow, const std::vector<std::string>& rows) {
        for (size_t i = 0; i < rows.size(); ++i) {
            for (int column = 1; column <= kWellColumns; ++column) {
                glass_.well_.Set(column, firstRow + static_cast<int>(i),
                                 rows[i][static_cast<size_t>(column - 1)] == '#' ? 1 : 0);
            }
        }
        glass_.DrawWellFromGrid();
    }
    void ClearWell() {
        glass_.well_.Clear();
        glass_.DrawWellFromGrid();
    }
    // Puts a figure in play at (x, y) as a spawn would, with its mark.
    void SetCurrent(const tFigure& figure, int x, int y) {
        if (glass_.falling_) {
            glass_.ShowShadow(false);
            glass_.DrawFigure(glass_.figX_, glass_.figY_, nullptr);
        }
        glass_.current_ = figure;
        glass_.figX_ = x;
        glass_.figY_ = y;
        glass_.falling_ = true;
        glass_.ShowShadow(true);
        glass_.DrawFigure(x, y, &glass_.view_->Block());
    }
    void SetNext(const tFigure& figure) { glass_.ShowNext(figure); }
    const tFigureTable& Table() const { return glass_.figureTable_; }
    // The bar of four turned upright: its blocks in box column 2.
    tFigure VerticalBar() const { return TurnFigure(glass_.figureTable_[0], -1); }
    int Interval() const { return glass_.timer_.Interval(); }

private:
    tGlass& glass_;
};

// Records what the well hands to the high score table.
class tHiScoreRecorder : public tHiScore {
public:
    struct tCalls {
        std::vector<std::string> loads;
        // Name, level and score of every push, and whether it said a game is being played.
        std::vector<std::string> updates;
        std::vector<bool> playing;
        std::vector<tHS> results;
        // Runs inside LoadTable and SaveResult, where the real table may hold a modal message box open.
        std::function<void()> whileTableBusy;
    };
    explicit tHiScoreRecorder(std::shared_ptr<tCalls> calls) : calls_(std::move(calls)) {}

    void LoadTable(const std::string& gameType, const std::string& difficulty,
                   const std::string& player) override {
        calls_->loads.push_back(gameType + "_" + difficulty + ":" + player);
        Busy();
    }
    void UpdateCurrent(const tLiveGame& live) override {
        const tHS& e = live.Entry;
        calls_->updates.push_back(e.Name + " " + std::to_string(e.Level) + " " + std::to_string(e.Score));
        calls_->playing.push_back(live.Playing);
    }
    void SaveResult(const tHS& result) override {
        calls_->results.push_back(result);
        Busy();
    }

private:
    void Busy() {
        if (calls_->whileTableBusy) {
            calls_->whileTableBusy();
        }
    }

    std::shared_ptr<tCalls> calls_;
};

// Distinct solid colours for everything the well draws, so a pixel tells what a cell shows.
namespace testcolor {
inline constexpr uint32_t Block = 0x0000FF;  // red
inline constexpr uint32_t Fixed = 0x00FF00;  // green
inline constexpr uint32_t Mark = 0xFF0000;   // blue
inline constexpr uint32_t Tile = 0x404040;   // dark grey
inline constexpr uint32_t Free = 0x808080;   // grey
inline constexpr uint32_t Arrow = 0x00FFFF;  // yellow
inline constexpr uint32_t Panel = 0x200020;  // dark purple
inline constexpr uint32_t Border = 0xFFFF00; // cyan
} // namespace testcolor

void FillTestSkin();

enum class tLook { Tile, Block, Fixed, Mark, Other };
const char* LookName(tLook look);

// A well on its own panel, a recorder for the table and for sounds, English texts and the test skin.
class GlassTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Seeds the generator after the well seeded it from the clock.
    void Seed(uint32_t seed) { SeedRandom(seed); }
    tLook CellLook(int column, int row);
    // The well's cells as text, '#' block, 'F' fixed, 'o' mark, '.' tile; rows from the top.
    std::string Picture(int firstRow, int lastRow);
    tLook PreviewLook(int column, int row);
    void Press(uint16_t code) { glass->HandleKey(code); }
    // Where the arrow's top is once the frame that moves it is shown.
    int ArrowTop() {
        glass->View().RepaintWell();
        return glass->View().ArrowImage().y();
    }
    // Ticks until the falling figure lands and the next one is in play (or the game ends).
    void TickUntilNextFigure();

    static constexpr uint16_t kUp = 38, kShift = 16, kLeft = 37, kRight = 39, kDown = 40, kSpace = 32,
                              kCtrl = 17;

    std::unique_ptr<QWidget> panel;
    std::unique_ptr<tGlass> glass;
    std::unique_ptr<tGlassProbe> probe;
    std::shared_ptr<tHiScoreRecorder::tCalls> calls;
    tSoundRecorder soundRecorder;
    std::vector<std::string>& sounds = soundRecorder.sounds;
};
