// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormFixture.h"
#include "engine/uGame.h"
#include "engine/uSound.h"
#include "platform/uBaseDir.h"
#include "platform/uMessage.h"
#include "platform/uShell.h"
#include "shell/stakmain.h"
#include "shell/uOptionsPage.h"
#include "shell/uQuitSignals.h"
#include "storage/uPackIni.h"
#include "tests/support/ShellRecorder.h"
#include "tests/support/SmallDisk.h"
#include "widgets/uOther.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QGraphicsView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <iterator>

namespace {

class MainForm : public FormFixture {
protected:
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(form->KeyTarget(), key, modifiers);
    }
    void WriteUsers(const std::string& text) {
        tStringListPackedINI ini;
        ini.SetText(text);
        ini.SaveCompressedFile(dir_.filePath("users.dat").toStdString());
    }
    // Check boxes take a click on their box.
    static constexpr QPoint kBox{6, 9};
    // A click the way a player makes it in full screen: on the screen, through the view that shows the
    // client scaled.
    void ClickThroughView(QWidget* control, QPoint at = {}) {
        auto* view = form->findChild<QGraphicsView*>();
        ASSERT_NE(view, nullptr);
        const QPoint inClient = control->mapTo(form->client, at.isNull() ? control->rect().center() : at);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(QPointF(inClient)));
    }
    tStringListPackedINI ReadUsers() {
        tStringListPackedINI ini;
        ini.ReadCompressedFile(dir_.filePath("users.dat").toStdString());
        return ini;
    }
};

} // namespace

TEST_F(MainForm, StartsOnTheLogInViewWithTheProgramCaption) {
    Start();
    EXPECT_EQ(form->View(), TMainForm::tView::Login);
    EXPECT_EQ(form->windowTitle(), "Stakkar (1.0.2 build 64 beta 3b)");
    EXPECT_EQ(form->size(), QSize(640, 480));
    EXPECT_EQ(form->pLogIn->geometry(), QRect(5, 5, 630, 470));
    EXPECT_EQ(BaseDir, QDir::currentPath().toStdString());
    EXPECT_EQ(form->Glass(), nullptr);
    QTest::mouseClick(form->iAbout, Qt::LeftButton);
    EXPECT_EQ(form->View(), TMainForm::tView::About);
    Key(Qt::Key_F2);
    EXPECT_EQ(form->Glass(), nullptr);
    form->iAboutCloseClick();
    EXPECT_EQ(form->View(), TMainForm::tView::Login);
}

TEST_F(MainForm, EmptyNameOnlySoundsAnError) {
    Start();
    QTest::keyClick(form->cbUsers, Qt::Key_Return);
    EXPECT_EQ(sounds, std::vector<std::string>{"Error"});
    EXPECT_EQ(form->View(), TMainForm::tView::Login);
    EXPECT_FALSE(QFile::exists(dir_.filePath("users.dat")));
}

TEST_F(MainForm, NewPlayerLogsInWithDefaultsAndGetsAFullSection) {
    Start();
    LogIn("Ann");
    EXPECT_EQ(sounds.front(), "Login");
    EXPECT_EQ(form->CurrentPlayer(), "Ann");
    ASSERT_NE(form->Glass(), nullptr);
    EXPECT_EQ(form->View(), TMainForm::tView::Well);
    EXPECT_TRUE(messages.empty());
    const tStringListPackedINI users = ReadUsers();
    EXPECT_EQ(users.ReadString("Ann", "Drop", ""), "Ctrl");
    EXPECT_EQ(users.ReadString("Ann", "Language", ""), "(Default)");
    EXPECT_EQ(users.Count(), 20);
    EXPECT_EQ(Page().eKeys[5]->text(), "Space");
    EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipBase).name(), "#852229");
    EXPECT_FALSE(Page().iKeysL->pixmap().isNull());
}

TEST_F(MainForm, AnEnterThatReachesThePlayerBoxTwiceLogsInOnce) {
    Start();
    // Sent to the line edit itself, Enter goes on to the combo box, which hands it to the line edit again.
    QTest::keyClicks(form->cbUsers->lineEdit(), "Ann");
    QTest::keyClick(form->cbUsers->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "Login"), 1);
    ASSERT_NE(form->Glass(), nullptr);
    EXPECT_TRUE(form->Glass()->View().WellImage().isVisible());
}

TEST_F(MainForm, StoredOptionsAreLimitedAtLogIn) {
    WriteUsers("[Cy]\r\nGameMode=extended\r\nDifficult=Hard\r\nStartLevel=30\r\nBrokenLines=99\r\n"
               "RotateRight=up\r\nAutoPause=0\r\n");
    Start();
    ASSERT_EQ(form->cbUsers->count(), 1);
    LogIn("cy");
    EXPECT_EQ(Page().cbGType->currentText(), "Extended");
    EXPECT_EQ(Page().cbDifficult->currentText(), "Hard");
    EXPECT_EQ(Page().seStartLevel->value(), 15);
    EXPECT_EQ(Page().seBrLines->value(), 20);
    EXPECT_FALSE(Page().cbAutoPause->isChecked());
    EXPECT_EQ(Page().eKeys[0]->text(), "up");
    EXPECT_EQ(form->View(), TMainForm::tView::Well);
    EXPECT_EQ(ReadUsers().ReadString("cy", "BrokenLines", ""), "20");
}

TEST_F(MainForm, NextPlayersStartLevelIsNotLimitedByThePreviousPlayersDifficulty) {
    WriteUsers("[Hard]\r\nDifficult=Impossible\r\nStartLevel=10\r\n[Easy]\r\nStartLevel=20\r\n");
    Start();
    LogIn("Hard");
    EXPECT_EQ(Page().seStartLevel->maximum(), 10);
    form->iUserClick();
    LogIn("Easy");
    EXPECT_EQ(Page().seStartLevel->value(), 20);
    EXPECT_EQ(ReadUsers().ReadString("Easy", "StartLevel", ""), "20");
}

TEST_F(MainForm, FunctionKeysSwitchPagesAndDriveTheGame) {
    Start();
    LogIn("Ann");
    tGlass& glass = *form->Glass();
    Key(Qt::Key_F3);
    EXPECT_EQ(form->View(), TMainForm::tView::Well);
    Key(Qt::Key_Pause);
    EXPECT_FALSE(glass.Paused());
    Key(Qt::Key_F2, Qt::ControlModifier);
    EXPECT_TRUE(glass.Playing());
    Key(Qt::Key_Pause);
    EXPECT_TRUE(glass.Paused());
    Key(Qt::Key_Pause);
    EXPECT_FALSE(glass.Paused());
    Key(Qt::Key_F4);
    EXPECT_EQ(form->View(), TMainForm::tView::Options);
    EXPECT_TRUE(glass.Paused());
    EXPECT_FALSE(Page().cbDifficult->isEnabled());
    Key(Qt::Key_Escape);
    Key(Qt::Key_F2);
    EXPECT_TRUE(glass.Playing());
    EXPECT_TRUE(glass.Paused());
    Key(Qt::Key_F3);
    EXPECT_EQ(form->View(), TMainForm::tView::Well);
    EXPECT_TRUE(glass.Paused());
    Key(Qt::Key_Escape);
    EXPECT_FALSE(glass.Playing());
    Key(Qt::Key_F2);
    EXPECT_TRUE(glass.Playing());
    Page().cbAutoPause->setChecked(true);
    form->AppDeactivate();
    EXPECT_TRUE(glass.Paused());
    EXPECT_TRUE(messages.empty());
}

TEST_F(MainForm, MovementKeysReachTheEngineOnlyOnTheWellPage) {
    Start();
    LogIn("Ann");
    tGlass& glass = *form->Glass();
    Key(Qt::Key_F2);
    glass.Tick();
    ASSERT_TRUE(glass.Falling());
    const int keys = glass.Stat().Keys();
    Key(Qt::Key_Left);
    Key(Qt::Key_Right);
    EXPECT_EQ(glass.Stat().Keys(), keys + 2);
    Key(Qt::Key_F4);
    Key(Qt::Key_Left);
    EXPECT_EQ(glass.Stat().Keys(), keys + 2);
}

TEST_F(MainForm, UnknownStoredKeyOpensTheOptionsPageUntilAKeyIsBound) {
    WriteUsers("[Bob]\r\nDrop=F5\r\n");
    Start();
    LogIn("Bob");
    EXPECT_EQ(form->View(), TMainForm::tView::Options);
    EXPECT_EQ(messages, std::vector<std::string>{"Error in control keys settings."});
    EXPECT_EQ(Page().eKeys[6]->text(), "(No)");
    Key(Qt::Key_F3);
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(form->View(), TMainForm::tView::Options);
    QTest::keyClick(Page().eKeys[6], Qt::Key_F5);
    EXPECT_EQ(Page().eKeys[6]->text(), "(No)");
    QTest::keyClick(Page().eKeys[6], Qt::Key_Q);
    EXPECT_EQ(Page().eKeys[6]->text(), "Q");
    EXPECT_EQ(Page().eKeys[6]->selectedText(), "Q");
    Key(Qt::Key_F3);
    EXPECT_EQ(form->View(), TMainForm::tView::Well);
    EXPECT_EQ(ReadUsers().ReadString("Bob", "Drop", ""), "(No)");
}

TEST_F(MainForm, BindingAKeyTwiceSoundsAnErrorAndLocksTheWell) {
    Start();
    LogIn("Ann");
    Key(Qt::Key_F4);
    sounds.clear();
    QTest::keyClick(Page().eKeys[1], Qt::Key_Up);
    EXPECT_EQ(Page().eKeys[1]->text(), "Up");
    EXPECT_EQ(sounds, std::vector<std::string>{"Error"});
    EXPECT_FALSE(form->KeysValid());
    Key(Qt::Key_F3);
    EXPECT_EQ(form->View(), TMainForm::tView::Options);
    QTest::keyClick(Page().eKeys[1], Qt::Key_Tab);
    EXPECT_EQ(sounds.size(), 2u);
    QTest::keyClick(Page().eKeys[1], Qt::Key_Home);
    EXPECT_EQ(Page().eKeys[1]->text(), "Home");
    EXPECT_TRUE(form->KeysValid());
    QTest::mouseClick(form->iGame, Qt::LeftButton);
    EXPECT_EQ(form->View(), TMainForm::tView::Well);
}

TEST_F(MainForm, ChangeOfPlayerSavesOnlyWithAutoSave) {
    Start();
    LogIn("Ann");
    Page().seBrLines->setValue(5);
    QTest::mouseClick(form->iUser, Qt::LeftButton);
    EXPECT_EQ(form->View(), TMainForm::tView::Login);
    EXPECT_EQ(form->Glass(), nullptr);
    EXPECT_TRUE(form->CurrentPlayer().empty());
    EXPECT_EQ(ReadUsers().ReadString("Ann", "BrokenLines", ""), "5");
    LogIn("Ann");
    EXPECT_EQ(Page().seBrLines->value(), 5);
    Page().cbAutoSave->setChecked(false);
    Page().seBrLines->setValue(7);
    form->iUserClick();
    EXPECT_EQ(ReadUsers().ReadString("Ann", "BrokenLines", ""), "5");
    EXPECT_EQ(ReadUsers().ReadString("Ann", "AutoSave", ""), "1");
}

TEST_F(MainForm, StandardAndRestoredOptionsFillTheControls) {
    WriteUsers("[Dee]\r\nBrokenLines=4\r\nMoveLeft=A\r\nShadow=1\r\n");
    Start();
    LogIn("Dee");
    form->iDefOptClick();
    EXPECT_EQ(Page().seBrLines->value(), 0);
    EXPECT_EQ(Page().eKeys[2]->text(), "Left");
    EXPECT_FALSE(Page().cbShadow->isChecked());
    EXPECT_EQ(ReadUsers().ReadString("Dee", "MoveLeft", ""), "A");
    form->iLoadClick();
    EXPECT_EQ(Page().eKeys[2]->text(), "A");
    EXPECT_EQ(Page().seBrLines->value(), 4);
    form->iDefOptClick();
    form->iSaveClick();
    EXPECT_EQ(ReadUsers().ReadString("Dee", "MoveLeft", ""), "Left");
}

TEST_F(MainForm, DamagedPlayersFileIsKeptAsideAndToldOnce) {
    std::ofstream(dir_.filePath("users.dat").toStdString(), std::ios::binary) << "\x78\x9c garbage";
    Start();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(form->cbUsers->count(), 0);
    EXPECT_TRUE(QFile::exists(dir_.filePath("users.dat.damaged")));
    LogIn("Eve");
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(ReadUsers().ReadString("Eve", "GameMode", ""), "Standart");
}

TEST_F(MainForm, NamesKeepToWhatTheFileCanHold) {
    Start();
    QTest::keyClicks(form->cbUsers->lineEdit(), "A[b]c");
    EXPECT_EQ(form->cbUsers->currentText(), "Abc");
    form->cbUsers->setEditText(QString::fromUtf8("Abc李"));
    EXPECT_EQ(form->cbUsers->currentText(), "Abc");
    form->cbUsers->setEditText(QString());
    QTest::keyClicks(form->cbUsers->lineEdit(), QString(60, 'W'));
    EXPECT_LT(form->cbUsers->currentText().size(), 60);
}

TEST_F(MainForm, TheTypingLimitNeverCutsANamePickedFromTheList) {
    WriteUsers("[Robert Longname]\r\nDrop=Ctrl\r\n");
    Start();
    LogIn("Ann");
    form->iUserClick();
    ASSERT_EQ(form->cbUsers->count(), 2);
    form->cbUsers->setCurrentIndex(form->cbUsers->findText("Robert Longname"));
    EXPECT_EQ(form->cbUsers->currentText(), "Robert Longname");
    QTest::keyClick(form->cbUsers->lineEdit(), Qt::Key_Backspace);
    EXPECT_EQ(form->cbUsers->currentText(), "Robert Longnam");
    QTest::keyClick(form->cbUsers->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(form->CurrentPlayer(), "Robert Longnam");
}

TEST_F(MainForm, EveryControlWorksInFullScreenAndUntickingItThereLeavesIt) {
    Start();
    LogIn("Ann");
    Key(Qt::Key_F4);
    QTest::mouseClick(Page().cbFullScreen, Qt::LeftButton, {}, kBox);
    ASSERT_TRUE(form->FullScreen());
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::FramelessWindowHint));
    QApplication::processEvents();
    const QImage scaled = form->grab().toImage();
    ASSERT_GT(scaled.width(), 640);
    // Scaled to the screen's width, the client's edge reaches the screen's: centred at its own size it
    // would leave black bars there.
    EXPECT_EQ(scaled.pixelColor(scaled.width() - 1, scaled.height() / 2).name(), "#852229");

    ClickThroughView(form->iGame);
    EXPECT_EQ(form->View(), TMainForm::tView::Well);
    ClickThroughView(&form->Glass()->View().WellImage());
    EXPECT_TRUE(form->Glass()->Playing());
    ClickThroughView(form->iOpt);
    ASSERT_EQ(form->View(), TMainForm::tView::Options);
    ClickThroughView(Page().cbShadow, kBox);
    ClickThroughView(Page().iSave);
    EXPECT_EQ(ReadUsers().ReadString("Ann", "Shadow", ""), "1");

    // The view that delivers this click goes with full screen.
    ClickThroughView(Page().cbFullScreen, kBox);
    QApplication::processEvents();
    EXPECT_FALSE(form->FullScreen());
    EXPECT_FALSE(form->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(form->size(), QSize(640, 480));
    QTest::mouseClick(Page().cbShadow, Qt::LeftButton, {}, kBox);
    form->close();
    EXPECT_EQ(ReadUsers().ReadString("Ann", "FullScreen", ""), "0");
    EXPECT_EQ(ReadUsers().ReadString("Ann", "Shadow", ""), "0");
}

TEST_F(MainForm, SavingOnAFullOrReadOnlyDiskKeepsThePlayersAndSaysWhy) {
    tSmallDisk disk;
    if (!disk.Mounted()) {
        GTEST_SKIP() << disk.Why();
    }
    BaseDir = disk.Path();
    tStringListPackedINI players;
    players.SetText("[Ann]\r\nStartLevel=3\r\n[Bob]\r\nStartLevel=5\r\n");
    players.SaveCompressedFile(disk.File("users.dat"));
    std::ifstream in(disk.File("users.dat"), std::ios::binary);
    const std::string before{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    disk.Fill();
    Start();
    LogIn("Ann");
    EXPECT_EQ(messages, std::vector<std::string>{"users.dat could not be saved: No space left on device"});
    const auto stored = [&] {
        std::ifstream after(disk.File("users.dat"), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(after), std::istreambuf_iterator<char>());
    };
    EXPECT_EQ(stored(), before);
    ASSERT_TRUE(disk.MakeReadOnly());
    messages.clear();
    form->close();
    EXPECT_EQ(messages, std::vector<std::string>{"users.dat could not be saved: Read-only file system"});
    EXPECT_EQ(stored(), before);
    form.reset();
}

TEST_F(MainForm, ATerminationSignalEndsTheGameWithItsSaves) {
    Start();
    LogIn("Ann");
    Key(Qt::Key_F4);
    QTest::mouseClick(Page().cbShadow, Qt::LeftButton, {}, kBox);
    tQuitSignals quitSignals;
    int heard = 0;
    QObject::connect(&quitSignals, &tQuitSignals::quitRequested, form.get(), [&](int signal) {
        heard = signal;
        form->close();
    });
    // A signal that comes while the window is still being made must wait for it, not be lost.
    ::raise(SIGTERM);
    QTest::qWait(50);
    EXPECT_EQ(heard, 0);
    quitSignals.Listen();
    for (int i = 0; i < 500 && heard == 0; ++i)
        QTest::qWait(10);
    EXPECT_EQ(heard, SIGTERM);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(ReadUsers().ReadString("Ann", "Shadow", ""), "1");
}

TEST_F(MainForm, LetterKeysBindByTheirPlaceInAnyLayout) {
    Start();
    LogIn("Ann");
    Key(Qt::Key_F4);
    TKeyEdit* rotate = Page().eKeys[0];
    QTest::mouseClick(rotate, Qt::LeftButton);
    // The key where W lies, pressed in a Russian layout: X key code 25, the letter TSE as its Qt key.
    QKeyEvent press(QEvent::KeyPress, 0x0426, Qt::NoModifier, 25, 0, 0, QString::fromUtf8("ц"));
    QApplication::sendEvent(rotate, &press);
    EXPECT_EQ(rotate->text(), "W");
    form->close();
    EXPECT_EQ(ReadUsers().ReadString("Ann", "RotateRight", ""), "W");
}

TEST_F(MainForm, GameOptionsResetTheWellOnlyWhenChanged) {
    Start();
    LogIn("Ann");
    tGlass& glass = *form->Glass();
    Key(Qt::Key_F4);
    Page().seStartLevel->setValue(22);
    Page().cbDifficult->setCurrentIndex(2);
    form->cbDifficultChange();
    EXPECT_EQ(Page().seStartLevel->value(), 15);
    Page().cbDifficult->setCurrentIndex(0);
    form->cbDifficultChange();
    EXPECT_EQ(Page().seStartLevel->value(), 15);
    EXPECT_EQ(Page().seStartLevel->maximum(), 25);
    Page().seBrLines->setValue(5);
    EXPECT_TRUE(form->OptionsChanged());
    Key(Qt::Key_F3);
    EXPECT_FALSE(form->OptionsChanged());
    EXPECT_FALSE(glass.Well().RowIsEmpty(20));
    EXPECT_FALSE(glass.Well().RowIsEmpty(16));
    EXPECT_TRUE(glass.Well().RowIsEmpty(15));

    // Check boxes and keys do not reset the well.
    Key(Qt::Key_F2);
    glass.Tick();
    Key(Qt::Key_F4);
    Page().cbShadow->setChecked(true);
    Key(Qt::Key_F3);
    EXPECT_TRUE(glass.Playing());
    EXPECT_TRUE(glass.Paused());
    EXPECT_TRUE(glass.Falling());
}

TEST_F(MainForm, PlayersLanguageIsAppliedAtLogInAndF1OpensItsHelp) {
    QDir(dir_.path()).mkdir("lang");
    std::ofstream(dir_.filePath("lang/Deutsch.lng").toStdString(), std::ios::binary)
        << "[General]\r\nBuild=64\r\nHelp=hilfe.txt\r\n[Language]\r\ns1000=Spiel\r\ns3002=Spieler "
           "wechseln\r\n";
    std::ofstream(dir_.filePath("lang/hilfe.txt").toStdString()) << "Hilfe";
    WriteUsers("[Gus]\r\nLanguage=Deutsch\r\n");
    tShellRecorder shell;
    const std::vector<std::string>& opened = shell.opened;
    Start();
    Key(Qt::Key_F1);
    EXPECT_TRUE(opened.empty());
    LogIn("Gus");
    EXPECT_EQ(form->iGame->toolTip(), "Spiel");
    EXPECT_EQ(form->iUser->Hint(), "Spieler wechseln");
    EXPECT_EQ(Page().cbLanguage->currentText(), "Deutsch");
    Key(Qt::Key_F1);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_NE(opened[0].find("hilfe.txt"), std::string::npos);
    EXPECT_EQ(ReadUsers().ReadString("Gus", "Language", ""), "Deutsch");
}

TEST_F(MainForm, TabNeverMovesTheFocusAndSpinEditsTakeNoTyping) {
    Start();
    form->cbUsers->setFocus();
    QWidget* focused = form->focusWidget();
    ASSERT_NE(focused, nullptr);
    QTest::keyClick(focused, Qt::Key_Tab);
    QTest::keyClick(focused, Qt::Key_Backtab);
    EXPECT_EQ(form->focusWidget(), focused);
    LogIn("Ann");
    Key(Qt::Key_F4);
    Page().seBrLines->setFocus();
    QTest::keyClicks(form->KeyTarget(), "7");
    EXPECT_EQ(Page().seBrLines->value(), 0);
    QTest::keyClick(form->KeyTarget(), Qt::Key_Up);
    EXPECT_EQ(Page().seBrLines->value(), 1);
    EXPECT_EQ(form->View(), TMainForm::tView::Options);
    Page().cbSkin->setFocus();
    QTest::keyClick(form->KeyTarget(), Qt::Key_Tab);
    EXPECT_EQ(form->focusWidget(), Page().cbSkin);
}

TEST_F(MainForm, KeysOnTheWellPageNeverReachAHiddenControlOfTheOptionsPage) {
    Start();
    LogIn("Ann");
    Key(Qt::Key_F4);
    QTest::mouseClick(Page().eKeys[2], Qt::LeftButton);
    QTest::mouseClick(form->iGame, Qt::LeftButton);
    Key(Qt::Key_Right);
    EXPECT_EQ(Page().eKeys[2]->text(), "Left");
    form->SetFullScreen(true);
    Key(Qt::Key_F4);
    Page().cbGType->setFocus();
    Key(Qt::Key_F3);
    Key(Qt::Key_Down);
    EXPECT_EQ(Page().cbGType->currentIndex(), 0);
    EXPECT_FALSE(form->OptionsChanged());
}
