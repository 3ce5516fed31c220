// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fifteen best results of one game type and difficulty, kept in hscore.dat, with the running game placed
// live among them. The table keeps the texts of its grid; the panel that draws them reads them from here.

#include "core/uGameRecord.h"
#include "platform/uSubscription.h"
#include "storage/uHSEntry.h"
#include "storage/uReplayFile.h"

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "platform/uTargets.h"

// The running game as the well pushes it: whether a game is being played, and its entry (name, level,
// score and the texts it would be stored with).
struct tLiveGame {
    bool Playing = false;
    tHS Entry;
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
    // score 0) at its place; Playing and the texts stay as last pushed. Never writes the file, except to move
    // a damaged one aside.
    virtual void LoadTable(const std::string& gameType, const std::string& difficulty,
                           const std::string& player);
    // The running game changed. Its row follows its level and score (it only ever moves up); the views hear
    // of it when the name, level, score or Playing changed.
    virtual void UpdateCurrent(const tLiveGame& live);
    // Stores the finished game's entry in the key group of the entry ranked 15th when it entered the table;
    // the file is rewritten either way.
    // Its replay is saved beside hscore.dat under the key group's name, in place of the replay of the entry
    // that dropped out; a game without a record (no ticks) leaves none.
    virtual void SaveResult(const tHS& result, const tGameRecord& replay);

    // Grid row 1..16 that shows the game in progress; 16 when it is not among the best fifteen.
    int CurrentRow() const { return currentRow_; }
    // Entries 1..15: the stored table in rank order; 16: the game in progress.
    const tHS& Record(int index) const { return records_[static_cast<size_t>(index)]; }
    // Column 0..2 (name, level, score), row 0..16 (titles, then one entry a row).
    const QString& Cell(int column, int row) const;
    const QString& Title() const { return title_; }
    const std::string& GameTypeName() const { return gameTypeName_; }
    const std::string& DifficultyName() const { return difficultyName_; }

    // The Playing last pushed.
    bool GamePlaying() const { return playing_; }
    // The player's own row holds a game that ended with a game over, not a game in progress or dropped.
    bool CurrentStored() const { return currentStored_; }
    // The entry last pushed (after a stored game, the one it was stored with).
    tHS CurrentEntry() const { return Record(kLoserRow); }
    // The entry grid row 1..16 shows: the game in progress on CurrentRow, the stored entries around it.
    const tHS& RowEntry(int row) const;

    // The size of the replay file of the stored entry on grid row 1..15; 0 when it has none (an older table,
    // the game in progress, the player's game that did not enter the table).
    int64_t ReplayBytes(int row) const;
    // That replay, read and checked to be the entry's game; otherwise Message tells the player why not.
    struct tRowReplay : tReplayFile {
        QString Message;
    };
    tRowReplay ReadReplay(int row) const;

    // Its views hear of every change of the grid or the title while the subscription lives.
    [[nodiscard]] tSubscription ObserveGrid(std::function<void()> view) {
        return views_.Add(std::move(view));
    }

protected:
    int currentRow_ = kLoserRow;

private:
    void SetCell(int column, int row, const QString& text);
    void SetNumberCell(int column, int row, int number);
    void ShowEntry(int row, const tHS& entry);
    void PlaceCurrent();
    bool TakeCurrent(const tHS& entry);
    void ApplyLanguageTexts();
    // The key group of the stored entry on a grid row; 0 for none.
    int32_t RowSlot(int row) const;
    std::string ReplayName(int32_t slot) const;

    std::string gameTypeName_;
    std::string difficultyName_;
    bool loaded_ = false;
    bool currentStored_ = false;
    bool playing_ = false;
    QString title_;
    std::array<tHS, kLoserRow + 1> records_{};
    // The key group the player's finished game was stored in, once it entered the table.
    int32_t storedSlot_ = 0;
    // By key group: the size of its replay file as the table was read or saved, 0 for none.
    std::array<int64_t, kHSSlots + 1> replayBytes_{};
    std::array<std::array<QString, kGridRows>, kGridColumns> grid_{};
    // The name of each grid row as the table has it, to tell when the row's name is to be decoded anew.
    std::array<std::string, kGridRows> names_{};
    tSubscription languageTarget_;
    tTargetList views_;
};
