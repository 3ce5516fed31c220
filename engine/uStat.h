// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The statistics of the running game and the fourteen labels that show them beside and under the well.

#include "platform/uSubscription.h"
#include "widgets/uLabels.h"

#include <QPointer>
#include <array>
#include <string>

class QWidget;
class tFramePacer;

enum class tStatLabel {
    Player,
    Time,
    FiguresTitle,
    Figures,
    KeysTitle,
    Keys,
    ClearedTitle,
    Cleared,
    ClearsTitle,
    Clears,
    LevelTitle,
    Level,
    ScoreTitle,
    Score,
};
inline constexpr int kStatLabels = 14;

class tStat {
public:
    // With a pacer, the labels show their texts at its frames; without, at once.
    explicit tStat(QWidget* parent, tFramePacer* pacer = nullptr);
    ~tStat();
    tStat(const tStat&) = delete;
    tStat& operator=(const tStat&) = delete;

    // Zero counts, score and play time, level 1, start time "00.00.00 00:00:00"; the player stays.
    void Reset();

    void SetPlayerName(const std::string& name);
    // The player label shows this in place of the player's name; empty shows the name again.
    void SetCaption(const QString& caption);
    void SetPlayTime(double seconds);
    void SetFigures(int n);
    void SetKeys(int n);
    void SetCleared(int n);
    void SetScore(int n);
    void SetLevel(int n);
    void SetClears(int k, int n);
    void SetStartTime(const std::string& text) { startTime_ = text; }

    const std::string& PlayerName() const { return playerName_; }
    double PlayTime() const { return playTime_; }
    int Figures() const { return figures_; }
    int Keys() const { return keys_; }
    int Cleared() const { return cleared_; }
    int Score() const { return score_; }
    int Level() const { return level_; }
    int GetClears(int k) const { return clears_[static_cast<size_t>(k - 1)]; }
    const std::string& StartTime() const { return startTime_; }

    // The texts as the labels show them; a finished game is recorded with them.
    std::string PlayTimeText() const;
    std::string FiguresText() const;
    std::string ClearedText() const;

    // Rates are written with the system's decimal separator unless told otherwise.
    void SetDecimalSeparator(char separator);
    // Text colours from the skin record.
    void ApplySkinColors();
    tTextLabel& Label(tStatLabel which) { return *labels_[static_cast<size_t>(which)]; }

private:
    std::string CountText(int n) const;
    void ShowRates();
    void ShowClears();
    void ShowTitles();
    void Show(tStatLabel which, const std::string& text) { Label(which).SetText(text); }
    void Show(tStatLabel which, const QString& text) { Label(which).SetText(text); }

    std::string playerName_;
    double playTime_ = 0.0;
    int figures_ = 0;
    int keys_ = 0;
    int cleared_ = 0;
    int score_ = 0;
    int level_ = 1;
    std::array<int, 4> clears_{};
    std::string startTime_ = "00.00.00 00:00:00";
    char decimalSeparator_;
    std::string clearsText_;
    std::array<QPointer<tTextLabel>, kStatLabels> labels_;
    tSubscription languageTarget_;
};
