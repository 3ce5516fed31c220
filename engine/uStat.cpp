// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/uStat.h"

#include "core/uStatText.h"
#include "look/uLang.h"
#include "look/uSkin.h"
#include "platform/uCodePage.h"

namespace {

struct tLabelPlace {
    int left, top, width, height;
    bool bold;
};

// In the order of tStatLabel: a column left of the well, level and score under it.
constexpr tLabelPlace kPlaces[kStatLabels] = {
    {1, 6, 120, 14, true},     {1, 25, 120, 14, false},    {1, 126, 120, 14, true},
    {1, 141, 120, 14, false},  {1, 161, 120, 14, true},    {1, 176, 120, 14, false},
    {1, 196, 120, 14, true},   {1, 211, 120, 14, false},   {1, 231, 120, 14, true},
    {1, 246, 120, 56, false},  {122, 405, 100, 14, true},  {122, 420, 100, 14, false},
    {222, 405, 100, 14, true}, {222, 420, 100, 14, false},
};

} // namespace

tStat::tStat(QWidget* parent, tFramePacer* pacer) : decimalSeparator_(SystemDecimalSeparator()) {
    for (int i = 0; i < kStatLabels; ++i) {
        const tLabelPlace& place = kPlaces[i];
        auto* label = new tTextLabel(parent, place.left, place.top, place.width, place.height, place.bold);
        label->SetPacer(pacer);
        labels_[static_cast<size_t>(i)] = label;
    }
    Label(tStatLabel::Clears).setWordWrap(true);
    ShowTitles();
    languageTarget_ = AddLanguageTarget([this] { ShowTitles(); });
    ApplySkinColors();
    Show(tStatLabel::Player, playerName_);
    Reset();
}

tStat::~tStat() {
    for (auto& label : labels_) {
        delete label;
    }
}

void tStat::Reset() {
    SetPlayTime(0);
    SetFigures(0);
    SetKeys(0);
    SetCleared(0);
    SetScore(0);
    SetLevel(1);
    for (int k = 1; k <= 4; ++k) {
        SetClears(k, 0);
    }
    startTime_ = "00.00.00 00:00:00";
}

void tStat::SetPlayerName(const std::string& name) {
    playerName_ = name;
    Show(tStatLabel::Player, name);
}

void tStat::SetCaption(const QString& caption) {
    if (caption.isEmpty()) {
        Show(tStatLabel::Player, playerName_);
    } else {
        Show(tStatLabel::Player, caption);
    }
}

void tStat::SetPlayTime(double seconds) {
    playTime_ = seconds;
    Show(tStatLabel::Time, PlayTimeText());
    ShowRates();
}

void tStat::SetFigures(int n) {
    figures_ = n;
    Show(tStatLabel::Figures, FiguresText());
}

void tStat::SetKeys(int n) {
    keys_ = n;
    Show(tStatLabel::Keys, CountText(keys_));
}

void tStat::SetCleared(int n) {
    cleared_ = n;
    Show(tStatLabel::Cleared, ClearedText());
}

void tStat::SetScore(int n) {
    score_ = n;
    Show(tStatLabel::Score, std::to_string(n));
}

void tStat::SetLevel(int n) {
    level_ = n;
    Show(tStatLabel::Level, std::to_string(n));
}

void tStat::SetClears(int k, int n) {
    clears_[static_cast<size_t>(k - 1)] = n;
    ShowClears();
}

std::string tStat::PlayTimeText() const {
    return TimeText(playTime_);
}

std::string tStat::FiguresText() const {
    return CountText(figures_);
}

std::string tStat::ClearedText() const {
    return CountText(cleared_);
}

void tStat::SetDecimalSeparator(char separator) {
    decimalSeparator_ = separator;
    ShowRates();
}

void tStat::ApplySkinColors() {
    const auto& colors = SkinSettings.Panel_Game;
    Label(tStatLabel::Player).SetColor(colors.clrTextPlayer);
    Label(tStatLabel::Time).SetColor(colors.clrTextTime);
    for (int i = static_cast<int>(tStatLabel::FiguresTitle); i < kStatLabels; ++i) {
        const bool title = i % 2 == 0;
        labels_[static_cast<size_t>(i)]->SetColor(title ? colors.clrTextStatTitle : colors.clrTextStatInfo);
    }
}

std::string tStat::CountText(int n) const {
    return std::to_string(n) + RateText(n, playTime_, decimalSeparator_);
}

void tStat::ShowRates() {
    Show(tStatLabel::Figures, FiguresText());
    Show(tStatLabel::Keys, CountText(keys_));
    Show(tStatLabel::Cleared, ClearedText());
    ShowClears();
}

void tStat::ShowClears() {
    WriteClearsText(clearsText_, clears_, playTime_, decimalSeparator_);
    Show(tStatLabel::Clears, clearsText_);
}

void tStat::ShowTitles() {
    Show(tStatLabel::FiguresTitle, HeaderForm(LangText("s1101")));
    Show(tStatLabel::KeysTitle, HeaderForm(LangText("s1102")));
    Show(tStatLabel::ClearedTitle, HeaderForm(LangText("s1103")));
    Show(tStatLabel::ClearsTitle, HeaderForm(LangText("s1104")));
    Show(tStatLabel::LevelTitle, HeaderForm(LangText("s1301")));
    Show(tStatLabel::ScoreTitle, HeaderForm(LangText("s1302")));
}
