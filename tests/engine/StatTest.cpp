// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/uStatText.h"
#include "engine/uStat.h"
#include "look/uLang.h"

#include <QWidget>
#include <gtest/gtest.h>

TEST(StatTexts, RatesHaveOneDecimalInTheGivenSeparatorAndAFixedTextAtTimeZero) {
    EXPECT_EQ(RateText(57, 274, '.'), " [12.5/m]");
    EXPECT_EQ(RateText(57, 274, ','), " [12,5/m]");
    EXPECT_EQ(RateText(0, 0, '.'), " [0,0/m]") << "the text at time zero keeps its comma";
    EXPECT_EQ(RateText(5, 0, ','), " [0,0/m]");
    EXPECT_EQ(RateText(1, 0.4, '.'), " [150.0/m]") << "below one second the fraction counts";
    EXPECT_EQ(RateText(1, 240, '.'), " [0.3/m]") << "0.25 rounds away from zero";
    EXPECT_EQ(RateText(100000, 1, '.'), " [6000000.0/m]") << "no thousands grouping";
}

TEST(StatTexts, PlayTimeIsMinutesAndTwoDigitSecondsWithoutHours) {
    EXPECT_EQ(TimeText(0), "0:00");
    EXPECT_EQ(TimeText(0.99), "0:00");
    EXPECT_EQ(TimeText(187), "3:07");
    EXPECT_EQ(TimeText(3725), "62:05");
    EXPECT_EQ(TimeText(7540.7), "125:40");
}

TEST(StatTexts, ClearsAreFourLinesJoinedByLineFeedAndCarriageReturn) {
    EXPECT_EQ(ClearsText({0, 3, 0, 1}, 90, '.'),
              "x1: 0 [0.0/m]\n\rx2: 3 [2.0/m]\n\rx3: 0 [0.0/m]\n\rx4: 1 [0.7/m]");
    EXPECT_EQ(ClearsText({0, 0, 0, 0}, 0, '.'),
              "x1: 0 [0,0/m]\n\rx2: 0 [0,0/m]\n\rx3: 0 [0,0/m]\n\rx4: 0 [0,0/m]");
}

class StatTest : public ::testing::Test {
protected:
    void SetUp() override {
        LoadLanguageResource();
        LoadDefaultLanguage();
        stat = std::make_unique<tStat>(&panel);
        stat->SetDecimalSeparator('.');
    }
    std::string Shown(tStatLabel which) { return stat->Label(which).Text().toStdString(); }

    QWidget panel;
    std::unique_ptr<tStat> stat;
};

TEST_F(StatTest, FourteenLabelsStandAtTheirPlacesWithTitlesInTheCurrentLanguage) {
    const struct {
        tStatLabel label;
        QRect place;
        bool bold;
    } expected[] = {
        {tStatLabel::Player, {1, 6, 120, 14}, true},         {tStatLabel::Time, {1, 25, 120, 14}, false},
        {tStatLabel::FiguresTitle, {1, 126, 120, 14}, true}, {tStatLabel::Figures, {1, 141, 120, 14}, false},
        {tStatLabel::KeysTitle, {1, 161, 120, 14}, true},    {tStatLabel::Keys, {1, 176, 120, 14}, false},
        {tStatLabel::ClearedTitle, {1, 196, 120, 14}, true}, {tStatLabel::Cleared, {1, 211, 120, 14}, false},
        {tStatLabel::ClearsTitle, {1, 231, 120, 14}, true},  {tStatLabel::Clears, {1, 246, 120, 56}, false},
        {tStatLabel::LevelTitle, {122, 405, 100, 14}, true}, {tStatLabel::Level, {122, 420, 100, 14}, false},
        {tStatLabel::ScoreTitle, {222, 405, 100, 14}, true}, {tStatLabel::Score, {222, 420, 100, 14}, false},
    };
    for (const auto& label : expected) {
        const tTextLabel& shown = stat->Label(label.label);
        EXPECT_EQ(shown.parentWidget(), &panel);
        EXPECT_EQ(shown.geometry(), label.place) << static_cast<int>(label.label);
        EXPECT_EQ(shown.font().bold(), label.bold) << static_cast<int>(label.label);
        EXPECT_EQ(shown.alignment(), Qt::AlignCenter);
    }
    EXPECT_TRUE(stat->Label(tStatLabel::Clears).wordWrap());
    EXPECT_EQ(Shown(tStatLabel::FiguresTitle), ":: Figures ::");
    EXPECT_EQ(Shown(tStatLabel::KeysTitle), ":: Keys ::");
    EXPECT_EQ(Shown(tStatLabel::ClearedTitle), ":: Cleared ::");
    EXPECT_EQ(Shown(tStatLabel::ClearsTitle), ":: Clears ::");
    EXPECT_EQ(Shown(tStatLabel::LevelTitle), ":: Level ::");
    EXPECT_EQ(Shown(tStatLabel::ScoreTitle), ":: Score ::");

    LanguageTable.texts[static_cast<size_t>(LanguageSlot("s1302"))] = "Ochki";
    ApplyLanguage();
    EXPECT_EQ(Shown(tStatLabel::ScoreTitle), ":: Ochki ::");
    LoadDefaultLanguage();
    stat.reset();
    ApplyLanguage(); // a freed statistics object is no longer a language target
}

TEST_F(StatTest, TheGamesCountersShowAtOnceAndRatesFollowThePlayTime) {
    stat->SetPlayerName("Ivan");
    tGameCounters counters;
    counters.Figures = 57;
    stat->Show(counters, ctFigures);
    EXPECT_EQ(Shown(tStatLabel::Figures), "57 [0,0/m]");
    EXPECT_EQ(Shown(tStatLabel::Keys), "0 [0,0/m]") << "only what changed is shown anew";
    counters.Keys = 137;
    counters.Cleared = 12;
    counters.Clears[1] = 3;
    counters.Score = 1234;
    counters.Level = 4;
    counters.PlayTimeMs = 274000;
    stat->Show(counters, ctScore | ctLevel | ctPlayTime);
    EXPECT_EQ(Shown(tStatLabel::Player), "Ivan");
    EXPECT_EQ(Shown(tStatLabel::Time), "4:34");
    EXPECT_EQ(Shown(tStatLabel::Figures), "57 [12.5/m]");
    EXPECT_EQ(Shown(tStatLabel::Keys), "137 [30.0/m]") << "the rates follow the play time";
    EXPECT_EQ(Shown(tStatLabel::Cleared), "12 [2.6/m]");
    EXPECT_EQ(Shown(tStatLabel::Clears), "x1: 0 [0.0/m]\n\rx2: 3 [0.7/m]\n\rx3: 0 [0.0/m]\n\rx4: 0 [0.0/m]");
    EXPECT_EQ(stat->Label(tStatLabel::Clears).Shown().toStdString(),
              "x1: 0 [0.0/m]\nx2: 3 [0.7/m]\nx3: 0 [0.0/m]\nx4: 0 [0.0/m]")
        << "one line break on screen";
    EXPECT_EQ(Shown(tStatLabel::Score), "1234");
    EXPECT_EQ(Shown(tStatLabel::Level), "4");
    stat->SetDecimalSeparator(',');
    EXPECT_EQ(Shown(tStatLabel::Figures), "57 [12,5/m]");
}

TEST_F(StatTest, NamesInTheCodePageShowAsTheirLetters) {
    stat->SetPlayerName("\xC8\xE2\xE0\xED"); // "Ivan" in Cyrillic letters of the code page
    EXPECT_EQ(stat->Label(tStatLabel::Player).Shown(), QString::fromUtf8("\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD"));
}
