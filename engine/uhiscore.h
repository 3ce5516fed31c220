// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fifteen best results of one game type and difficulty, kept in hscore.dat, with the running game placed
// live among them. The table keeps the texts of its grid; the panel that draws them reads them from here.

#include "platform/uSubscription.h"
#include "storage/uHSEntry.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "platform/uTargets.h"

// What the well knows of a finished game beyond name, level and score.
struct tGameResult {
    std::string StartTime;
    std::string PlayTime;
    std::string StartLevel;
    std::string BrokenLines;
    std::string Figures;
    std::string Cleared;
};

// What the panel shows of the game in progress beyond its name, level and score, asked at the moment it is
// shown: whether a game is being played, and the statistics' texts with the well's options.
struct tGameSource {
    std::function<bool()> Playing;
    std::function<tGameResult()> Live;
};

inline constexpr int kGridColumns = 3;
inline constexpr int kGridRows = 17;
// The row of the game in progress when it is not among the best fifteen, and the row of the entry that drops
// out of the table otherwise.
inline constexpr int kLoserRow = 16;

class tHiScore {
public:
    tHiScore();
    virtual ~tHiScore();
    tHiScore(const tHiScore&) = delete;
    tHiScore& operator=(const tHiScore&) = delete;

    // Reads the table of a game type and difficulty from hscore.dat and puts the player's new game (level 1,
    // score 0) at its place. Never writes the file, except to move a damaged one aside.
    virtual void LoadTable(const std::string& gameType, const std::string& difficulty,
                           const std::string& player);
    // The running game's values changed; its row only ever moves up.
    virtual void UpdateCurrent(const std::string& name, int32_t level, int32_t score);
    // Stores the finished game in the key group of the entry ranked 15th when it entered the table; the
    // file is rewritten either way.
    virtual void SaveResult(const tGameResult& result);

    // Grid row 1..16 that shows the game in progress; 16 when it is not among the best fifteen.
    int CurrentRow() const { return currentRow_; }
    // Entries 1..15: the stored table in rank order; 16: the game in progress (name, level, score).
    const tHS& Record(int index) const { return records_[static_cast<size_t>(index)]; }
    // Column 0..2 (name, level, score), row 0..16 (titles, then one entry a row).
    const std::string& Cell(int column, int row) const;
    const std::string& Title() const { return title_; }
    const std::string& GameTypeName() const { return gameTypeName_; }
    const std::string& DifficultyName() const { return difficultyName_; }

    void SetGameSource(tGameSource source) { source_ = std::move(source); }
    bool GamePlaying() const;
    // The player's own row holds a game that ended with a game over, not a game in progress or dropped.
    bool CurrentStored() const { return currentStored_; }
    // Entry 16 with the live texts of the game in progress; after a stored game, the texts it was stored
    // with.
    tHS CurrentEntry() const;

    // Its views hear of every change of the grid or the title while the subscription lives.
    [[nodiscard]] tSubscription ObserveGrid(std::function<void()> view) {
        return views_.Add(std::move(view));
    }

protected:
    int currentRow_ = kLoserRow;

private:
    void SetCell(int column, int row, const std::string& text);
    void ShowEntry(int row, const tHS& entry);
    void PlaceCurrent();
    void ApplyLanguageTexts();

    std::string gameTypeName_;
    std::string difficultyName_;
    bool loaded_ = false;
    bool currentStored_ = false;
    std::string title_;
    std::array<tHS, kLoserRow + 1> records_{};
    std::array<std::array<std::string, kGridRows>, kGridColumns> grid_{};
    tSubscription languageTarget_;
    tGameSource source_;
    tTargetList views_;
};
