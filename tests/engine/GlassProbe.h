// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the well tests need beyond the main window's operations: look at pixels, record what the well tells
// the high score table and which sounds it plays.

#include "core/uRandom.h"
#include "engine/uGame.h"
#include "engine/uSound.h"
#include "look/uLang.h"
#include "look/uSkin.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/SoundRecorder.h"

#include <QTest>
#include <QWidget>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// Rows from the given row down: '#' a fixed block.
inline tWell WellOf(int firstRow, const std::vector<std::string>& rows) {
    tWell well;
    for (size_t i = 0; i < rows.size(); ++i) {
        for (int column = 1; column <= kWellColumns; ++column) {
            well.Set(column, firstRow + static_cast<int>(i), rows[i][static_cast<size_t>(column - 1)] == '#');
        }
    }
    return well;
}

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
    void SaveResult(const tHS& result, const tGameRecord& /*replay*/) override {
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

    // The games started from now on start at 03.01.24 10:21:28: Ivan's game of the default settings then
    // draws two bars of four, then the S, the figures the tests read.
    void StartWithTwoBars() {
        clock_.reset();
        clock_.emplace(QDateTime(QDate(2024, 1, 3), QTime(10, 21, 28)));
    }
    // The bar of four turned upright: its blocks in box column 2.
    tFigure VerticalBar() const { return TurnFigure(glass->Model().FigureTable()[0], -1); }
    tLook CellLook(int column, int row);
    // The well's cells as text, '#' block, 'F' fixed, 'o' mark, '.' tile; rows from the top.
    std::string Picture(int firstRow, int lastRow);
    tLook PreviewLook(int column, int row);
    // A key pressed as a player presses it: no sooner after the last than a key repeats.
    void Press(uint16_t code) {
        std::this_thread::sleep_for(std::chrono::milliseconds(kFastestRepeatMs));
        glass->HandleKey(code);
    }
    // Waits out a drop's pause: the dropped figure's rows go.
    void AwaitDropsEnd() {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !glass->Timer().Holding(); }, 1000));
    }
    // Where the arrow's top is once the frame that moves it is shown.
    int ArrowTop() {
        glass->View().RepaintWell();
        return glass->View().ArrowImage().y();
    }
    // Ticks until the falling figure lands and the next one is in play (or the game ends).
    void TickUntilNextFigure();

    // The keys a new well starts with.
    static constexpr uint16_t kUp = ActionRule(tAction::RotateRight).WellKey;
    static constexpr uint16_t kLeft = ActionRule(tAction::MoveLeft).WellKey;
    static constexpr uint16_t kRight = ActionRule(tAction::MoveRight).WellKey;
    static constexpr uint16_t kCtrl = ActionRule(tAction::Drop).WellKey;

    std::unique_ptr<QWidget> panel;
    std::unique_ptr<tGlass> glass;
    std::shared_ptr<tHiScoreRecorder::tCalls> calls;
    std::optional<tScopedClock> clock_;
    tSoundRecorder soundRecorder;
    std::vector<std::string>& sounds = soundRecorder.sounds;
};
