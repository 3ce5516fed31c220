// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fourteen labels beside and under the well that show the player and the counters of the game: they
// show what the game counts and count nothing themselves.

#include "core/uGameModel.h"
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

    void SetPlayerName(const std::string& name);
    const std::string& PlayerName() const { return playerName_; }
    // The player label shows this in place of the player's name; empty shows the name again.
    void SetCaption(const QString& caption);
    // Shows the game's counters that `changed` names (tCounter bits); the rates follow the play time.
    void Show(const tGameCounters& counters, uint16_t changed);

    // Rates are written with the system's decimal separator unless told otherwise.
    void SetDecimalSeparator(char separator);
    char DecimalSeparator() const { return decimalSeparator_; }
    // Text colours from the skin record.
    void ApplySkinColors();
    tTextLabel& Label(tStatLabel which) { return *labels_[static_cast<size_t>(which)]; }

private:
    std::string CountText(int n) const;
    void ShowRates();
    void ShowTitles();
    void Show(tStatLabel which, const std::string& text) { Label(which).SetText(text); }
    void Show(tStatLabel which, const QString& text) { Label(which).SetText(text); }

    std::string playerName_;
    // What the labels show, for the rates to follow a new separator.
    tGameCounters shown_;
    char decimalSeparator_;
    std::string clearsText_;
    std::array<QPointer<tTextLabel>, kStatLabels> labels_;
    tSubscription languageTarget_;
};
