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
    Show(shown_, ctAll);
}

tStat::~tStat() {
    for (auto& label : labels_) {
        delete label;
    }
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

void tStat::Show(const tGameCounters& counters, uint16_t changed) {
    shown_ = counters;
    if ((changed & ctScore) != 0) {
        Show(tStatLabel::Score, std::to_string(counters.Score));
    }
    if ((changed & ctLevel) != 0) {
        Show(tStatLabel::Level, std::to_string(counters.Level));
    }
    if ((changed & ctPlayTime) != 0) {
        Show(tStatLabel::Time, TimeText(counters.PlayTime()));
        ShowRates();
        return;
    }
    if ((changed & ctFigures) != 0) {
        Show(tStatLabel::Figures, CountText(counters.Figures));
    }
    if ((changed & ctKeys) != 0) {
        Show(tStatLabel::Keys, CountText(counters.Keys));
    }
    if ((changed & ctCleared) != 0) {
        Show(tStatLabel::Cleared, CountText(counters.Cleared));
    }
    if ((changed & ctClears) != 0) {
        WriteClearsText(clearsText_, counters.Clears, counters.PlayTime(), decimalSeparator_);
        Show(tStatLabel::Clears, clearsText_);
    }
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
    return std::to_string(n) + RateText(n, shown_.PlayTime(), decimalSeparator_);
}

void tStat::ShowRates() {
    Show(shown_, ctFigures | ctKeys | ctCleared | ctClears);
}

void tStat::ShowTitles() {
    Show(tStatLabel::FiguresTitle, HeaderForm(LangText("s1101")));
    Show(tStatLabel::KeysTitle, HeaderForm(LangText("s1102")));
    Show(tStatLabel::ClearedTitle, HeaderForm(LangText("s1103")));
    Show(tStatLabel::ClearsTitle, HeaderForm(LangText("s1104")));
    Show(tStatLabel::LevelTitle, HeaderForm(LangText("s1301")));
    Show(tStatLabel::ScoreTitle, HeaderForm(LangText("s1302")));
}
