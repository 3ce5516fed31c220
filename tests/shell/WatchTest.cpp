// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormFixture.h"
#include "bench/ScriptedGame.h"
#include "core/uGameReplay.h"
#include "core/uReplayCursor.h"
#include "engine/uGame.h"
#include "engine/uHSPanel.h"
#include "engine/uStat.h"
#include "storage/uReplayFile.h"
#include "tests/support/WellPicture.h"
#include "widgets/uOther.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

#include <string>

namespace {

class Watching : public FormFixture {
protected:
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(form->KeyTarget(), key, modifiers);
    }
    QByteArray Bytes(const QString& name) const {
        QFile file(dir_.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList Replays() const { return QDir(dir_.path()).entryList({"*.rep"}); }
    // Ann plays a game of Easy from level 25, turning and dropping every other figure as it comes, until the
    // well is full; the game enters the empty table with its replay.
    void PlayAGame(tGlass& glass) {
        glass.SetSettings({0, 0, 25, 0});
        Key(Qt::Key_F2);
        for (int tick = 0; glass.Playing() && tick < 5000; ++tick) {
            glass.Tick();
            if (glass.Falling() && tick % 4 == 1) {
                Key(Qt::Key_Up);
                Key(Qt::Key_Control);
                ASSERT_TRUE(QTest::qWaitFor([&] { return !glass.Timer().Holding(); }, 1000));
            }
        }
        ASSERT_FALSE(glass.Playing());
    }
    void ClickWatchOnRow(tGlass& glass, int row) {
        tMyFlatPanel* panel = glass.ScorePanel();
        QTest::mouseMove(panel, QPoint(50, row * kHSRowHeight + 10));
        auto* watch = FindChild<tMyButton>(panel, "bWatch");
        ASSERT_TRUE(watch->isVisible());
        QTest::mouseClick(watch, Qt::LeftButton, {}, QPoint(9, 9));
    }
    std::string PlayerLabel(tGlass& glass) {
        return glass.Stat().Label(tStatLabel::Player).Text().toStdString();
    }
};

} // namespace

TEST_F(Watching, AGameWatchedFromItsRowEndsInItsOwnWellAtTheChosenSpeedAndChangesNoTable) {
    Start();
    LogIn("Ann");
    tGlass& glass = *form->Glass();
    PlayAGame(glass);
    ASSERT_EQ(Replays().size(), 1);
    const QByteArray scores = Bytes("hscore.dat");
    const QByteArray kept = Bytes(Replays()[0]);
    const tReplayRead read = DecodeReplay(kept.toStdString());
    ASSERT_TRUE(read.Record) << read.Problem;
    EXPECT_EQ(*read.Record, glass.Model().Record());
    const tGameModel replayed = ReplayGame(*read.Record);
    EXPECT_EQ(WellPicture(replayed.Well()), WellPicture(glass.Well()));

    ClickWatchOnRow(glass, glass.HiScore().CurrentRow());
    ASSERT_TRUE(glass.Watching());
    EXPECT_TRUE(glass.Playing());
    EXPECT_EQ(PlayerLabel(glass), "Replay x1");
    for (int i = 0; i < 4; ++i) {
        Key(Qt::Key_Plus);
    }
    EXPECT_EQ(glass.WatchSpeed(), 8) << "x8 is the fastest";
    Key(Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(glass.WatchSpeed(), 4);
    EXPECT_EQ(PlayerLabel(glass), "Replay x4");
    Key(Qt::Key_Pause);
    ASSERT_TRUE(glass.Paused());
    const int64_t pausedAt = glass.Model().Record().Ticks;
    QTest::qWait(100);
    EXPECT_EQ(glass.Model().Record().Ticks, pausedAt);
    Key(Qt::Key_Pause);
    // The player's own keys do not move the watched game.
    Key(Qt::Key_Left);
    Key(Qt::Key_Control);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !glass.Watching(); }, 30000));

    EXPECT_EQ(WellPicture(glass.Well()), WellPicture(replayed.Well()));
    EXPECT_EQ(glass.Model().Counters().Score, replayed.Counters().Score);
    EXPECT_EQ(glass.Model().Counters().Figures, replayed.Counters().Figures);
    EXPECT_EQ(glass.View().MessageLabel().Text(), ":: Game Over ::\n\rPress F2 for new game");
    EXPECT_EQ(PlayerLabel(glass), "Ann");
    EXPECT_EQ(glass.WatchSpeed(), 1);
    EXPECT_EQ(Bytes("hscore.dat"), scores);
    ASSERT_EQ(Replays().size(), 1);
    EXPECT_EQ(Bytes(Replays()[0]), kept);

    // Escape ends a watch halfway, and F2 then starts a game of the player's own.
    ClickWatchOnRow(glass, glass.HiScore().CurrentRow());
    ASSERT_TRUE(glass.Watching());
    Key(Qt::Key_Escape);
    EXPECT_FALSE(glass.Watching());
    EXPECT_FALSE(glass.Playing());
    EXPECT_EQ(glass.View().MessageLabel().Text(), ":: Game Interrupted ::\n\rPress F2 for new game");
    EXPECT_EQ(Bytes("hscore.dat"), scores);
    Key(Qt::Key_F2);
    EXPECT_TRUE(glass.Playing());
    EXPECT_FALSE(glass.Watching());
    EXPECT_TRUE(messages.empty());
}

TEST_F(Watching, AReplayFileOpenedAtStartIsWatchedOnceAPlayerLogsInInTheGamesOwnTimeAndADamagedOneIsTold) {
    tTimedGame game({1, 1, 5, 4}, "Cid", "01.01.26 00:00:00");
    for (int tick = 0; game.Now() < 3000 && game.Game().Playing(); ++tick) {
        game.Tick();
        game.Press(ActionBit(tick % 3 == 0 ? tAction::MoveLeft : tAction::RotateRight), 7);
    }
    const std::string replay = EncodeReplay(game.Record());
    // The watched game ends with its record's last tick, at the time of play it came.
    tGameModel model;
    tReplayCursor timed(model, game.Record());
    timed.Start();
    timed.RunToEnd();
    const int64_t gameMs = timed.Time();
    ASSERT_GT(gameMs, 3000);
    const QString good = dir_.filePath("game.rep");
    const QString damaged = dir_.filePath("damaged.rep");
    for (const auto& [path, bytes] : {std::pair{good, replay}, std::pair{damaged, replay.substr(0, 20)}}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }

    Start();
    form->OpenReplay(damaged.toStdString());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0],
              damaged.toStdString() +
                  " could not be read and is left as it is: The replay is damaged: its checksum does "
                  "not match.");
    EXPECT_EQ(Bytes("damaged.rep").toStdString(), replay.substr(0, 20));
    form->OpenReplay(good.toStdString());
    // The watch starts during the log-in: it lasts at most from its start and at least from its end.
    QElapsedTimer watched;
    watched.start();
    LogIn("Bea");
    const qint64 loggedIn = watched.elapsed();
    tGlass& glass = *form->Glass();
    ASSERT_TRUE(glass.Watching());
    EXPECT_EQ(glass.Model().Settings(), game.Record().Settings);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !glass.Watching(); }, 30000));
    EXPECT_LE(static_cast<double>(watched.elapsed() - loggedIn), static_cast<double>(gameMs) * 1.02);
    EXPECT_GE(static_cast<double>(watched.elapsed()), static_cast<double>(gameMs) * 0.98);
    EXPECT_EQ(WellPicture(glass.Well()), WellPicture(model.Well()));
    EXPECT_EQ(glass.View().MessageLabel().Text(), ":: Game Interrupted ::\n\rPress F2 for new game")
        << "the record ends before its game did";
    EXPECT_FALSE(QFile::exists(dir_.filePath("hscore.dat")));
    EXPECT_EQ(messages.size(), 1u);
}
