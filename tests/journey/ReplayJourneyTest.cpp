// SPDX-License-Identifier: GPL-3.0-or-later
// A result's whole way under a real display: a player plays a game in the real window, the table keeps it
// with its replay, the player watches it from its row to the same end, uploads it with its replay to a score
// server on a loopback port, which plays it again and marks it verified, and a visitor sees the mark in
// headless Chromium.

#include "core/uGameReplay.h"
#include "engine/uGame.h"
#include "engine/uHSPanel.h"
#include "engine/uhiscore.h"
#include "shell/stakmain.h"
#include "storage/uReplayFile.h"
#include "tests/support/FindChild.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/ScopedBaseDir.h"
#include "tests/support/ShellRecorder.h"
#include "tests/support/SoundRecorder.h"
#include "tests/support/WellPicture.h"
#include "uChromium.h"
#include "uHttpGet.h"
#include "uServerProcess.h"
#include "widgets/uOther.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <string>

namespace {

void Key(TMainForm& form, Qt::Key key) {
    QTest::keyClick(form.KeyTarget(), key);
}

// Points at a row of the table and clicks one of the two buttons that follow the mouse there.
void ClickOnRow(tGlass& glass, int row, const char* button) {
    tMyFlatPanel* panel = glass.ScorePanel();
    QTest::mouseMove(panel, QPoint(50, row * kHSRowHeight + 10));
    auto* target = FindChild<tMyButton>(panel, button);
    ASSERT_NE(target, nullptr) << button;
    // On a real display the pointer's move comes back as an event of the window system.
    ASSERT_TRUE(QTest::qWaitFor([target] { return target->isVisible(); }, 5000)) << button;
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(9, 9));
}

} // namespace

TEST(ReplayJourney, APlayedGameIsKeptWatchedUploadedVerifiedAndShownWithItsMark) {
    if (!QFileInfo::exists(tChromium::kBinary)) {
        GTEST_SKIP() << "no Chromium";
    }
    QTemporaryDir serverDir;
    QTemporaryDir gameDir;
    tServerProcess server;
    QString problem;
    ASSERT_TRUE(server.Start(
        serverDir.path(), {"--database", serverDir.filePath("scores.sqlite"), "--require-replay"}, problem))
        << problem.toStdString();
    {
        QFile settings(gameDir.filePath("stakkar.ini"));
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
        settings.write(("[Scores]\nPage=" + server.Base() + "\n").toUtf8());
    }
    const tScopedBaseDir baseDir(gameDir.path().toStdString());
    tShellRecorder shell;
    tMessageRecorder messages;
    tSoundRecorder sounds;

    TMainForm form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto* players = FindChild<QComboBox>(&form, "cbUsers");
    QTest::keyClicks(players->lineEdit(), "Ann");
    QTest::keyClick(players, Qt::Key_Return);
    tGlass& glass = *form.Glass();

    // A game of Easy from level 25 on the real timer: every figure is turned and dropped as it comes.
    glass.SetSettings({0, 0, 25, 0});
    Key(form, Qt::Key_F2);
    int handled = -1;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            if (glass.Playing() && glass.Falling() && glass.Model().Counters().Figures != handled) {
                handled = glass.Model().Counters().Figures;
                Key(form, Qt::Key_Up);
                Key(form, Qt::Key_Control);
            }
            return !glass.Playing();
        },
        60000));
    const std::string played = WellPicture(glass.Well());
    const int32_t score = glass.Model().Counters().Score;
    const int row = glass.HiScore().CurrentRow();
    const QStringList replays = QDir(gameDir.path()).entryList({"*.rep"});
    ASSERT_EQ(replays.size(), 1);

    // Watched from its row at x8, the game ends in the well it ended in.
    ClickOnRow(glass, row, "bWatch");
    ASSERT_TRUE(glass.Watching());
    for (int i = 0; i < 3; ++i) {
        Key(form, Qt::Key_Plus);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return !glass.Watching(); }, 60000));
    EXPECT_EQ(WellPicture(glass.Well()), played);
    EXPECT_EQ(glass.Model().Counters().Score, score);

    // The upload goes to the server the settings name, with the replay; the server proves and keeps it.
    ClickOnRow(glass, row, "bUpload");
    ASSERT_EQ(shell.opened.size(), 1u);
    const std::string address = shell.opened[0];
    ASSERT_EQ(address.rfind(server.Base().toStdString(), 0), 0u) << address;
    ASSERT_NE(address.find("&replay="), std::string::npos);
    const tHttpReply stored = HttpGet(QByteArray::fromStdString(address));
    EXPECT_EQ(stored.Status, 200) << stored.Body.toStdString();
    // Without its replay the same result is refused: the server requires one.
    const tHttpReply bare = HttpGet(QByteArray::fromStdString(address.substr(0, address.find("&replay="))));
    EXPECT_EQ(bare.Status / 100, 4);

    tChromium chromium;
    ASSERT_TRUE(chromium.Start(problem)) << problem.toStdString();
    ASSERT_TRUE(chromium.Open(server.Base() + "scores/Standart/Easy", problem)) << problem.toStdString();
    EXPECT_EQ(chromium.Eval("document.querySelectorAll('#scores tbody tr').length").toInt(), 1);
    EXPECT_EQ(chromium
                  .Eval("[...document.querySelectorAll('#scores tbody tr')].filter(r => "
                        "r.textContent.includes('Ann') && r.querySelector('.verified')).length")
                  .toInt(),
              1);
    EXPECT_TRUE(messages.messages.empty());
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
