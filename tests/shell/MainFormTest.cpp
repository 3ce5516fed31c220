// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormFixture.h"
#include "core/uRules.h"
#include "engine/uGame.h"
#include "engine/uSound.h"
#include "look/uLang.h"
#include "platform/uBaseDir.h"
#include "platform/uMessage.h"
#include "platform/uShell.h"
#include "shell/stakmain.h"
#include "shell/uQuitSignals.h"
#include "storage/uPackIni.h"
#include "tests/support/ShellRecorder.h"
#include "tests/support/SmallDisk.h"
#include "widgets/uOther.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QGraphicsView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
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
    // client scaled, the control's window then.
    void ClickThroughView(QWidget* control, QPoint at = {}) {
        auto* view = form->findChild<QGraphicsView*>();
        ASSERT_NE(view, nullptr);
        const QPoint inClient =
            control->mapTo(control->window(), at.isNull() ? control->rect().center() : at);
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
    EXPECT_EQ(Find<QFrame>("pLogIn")->geometry(), QRect(5, 5, 630, 470));
    EXPECT_EQ(BaseDir, QDir::currentPath().toStdString());
    EXPECT_EQ(form->Glass(), nullptr);
    QTest::mouseClick(Find<tMyButton>("iAbout"), Qt::LeftButton);
    EXPECT_EQ(form->View(), TMainForm::tView::About);
    Key(Qt::Key_F2);
    EXPECT_EQ(form->Glass(), nullptr);
    form->iAboutCloseClick();
    EXPECT_EQ(form->View(), TMainForm::tView::Login);
}

TEST_F(MainForm, EmptyNameOnlySoundsAnError) {
    Start();
    QTest::keyClick(Find<QComboBox>("cbUsers"), Qt::Key_Return);
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
    EXPECT_EQ(users.Count(), 29);
    EXPECT_EQ(KeyEdit(6)->text(), "Space");
    EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipBase).name(), "#852229");
    EXPECT_FALSE(Find<QLabel>("iKeysL")->pixmap().isNull());
}

TEST_F(MainForm, AnEnterThatReachesThePlayerBoxTwiceLogsInOnce) {
    Start();
    // Sent to the line edit itself, Enter goes on to the combo box, which hands it to the line edit again.
    QTest::keyClicks(Find<QComboBox>("cbUsers")->lineEdit(), "Ann");
    QTest::keyClick(Find<QComboBox>("cbUsers")->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "Login"), 1);
    ASSERT_NE(form->Glass(), nullptr);
    EXPECT_TRUE(form->Glass()->View().WellImage().isVisible());
}

TEST_F(MainForm, StoredOptionsAreLimitedAtLogIn) {
    WriteUsers("[Cy]\r\nGameMode=extended\r\nDifficult=Hard\r\nStartLevel=30\r\nBrokenLines=99\r\n"
               "RotateRight=up\r\nAutoPause=0\r\n");
    Start();
    ASSERT_EQ(Find<QComboBox>("cbUsers")->count(), 1);
    LogIn("cy");
    EXPECT_EQ(Find<QComboBox>("cbGType")->currentText(), "Extended");
    EXPECT_EQ(Find<QComboBox>("cbDifficult")->currentText(), "Hard");
    EXPECT_EQ(Find<QSpinBox>("seStartLevel")->value(), 15);
    EXPECT_EQ(Find<QSpinBox>("seBrLines")->value(), 20);
    EXPECT_FALSE(Find<QCheckBox>("cbAutoPause")->isChecked());
    EXPECT_EQ(KeyEdit(1)->text(), "up");
    EXPECT_EQ(form->View(), TMainForm::tView::Well);
    EXPECT_EQ(ReadUsers().ReadString("cy", "BrokenLines", ""), "20");
}

TEST_F(MainForm, AStoredPlayersOptionsReachThePageAndTheWellAtLogIn) {
    WriteUsers(
        "[Dan]\r\nGameMode=Extended\r\nDifficult=Normal\r\nStartLevel=6\r\nBrokenLines=3\r\nSounds=0\r\n");
    Start();
    // The second time the page shows these options already: the new well takes them all the same.
    LogIn("Dan");
    QTest::mouseClick(Find<tMyButton>("iUser"), Qt::LeftButton);
    LogIn("Dan");
    EXPECT_EQ(Find<QComboBox>("cbGType")->currentText(), "Extended");
    EXPECT_EQ(Find<QComboBox>("cbDifficult")->currentText(), "Normal");
    EXPECT_EQ(Find<QSpinBox>("seStartLevel")->value(), 6);
    EXPECT_EQ(Find<QSpinBox>("seBrLines")->value(), 3);
    EXPECT_FALSE(Find<QCheckBox>("cbSounds")->isChecked());
    tGlass& glass = *form->Glass();
    Key(Qt::Key_F2);
    EXPECT_EQ(glass.HiScore().GameTypeName() + "/" + glass.HiScore().DifficultyName(), "Extended/Normal");
    EXPECT_EQ(glass.Timer().Interval(), IntervalAt(1, 6));
    EXPECT_FALSE(glass.Well().RowIsEmpty(18));
    EXPECT_TRUE(glass.Well().RowIsEmpty(17));
    glass.Tick();
    ASSERT_TRUE(glass.Falling());
    sounds.clear();
    Key(Qt::Key_Control);
    EXPECT_GE(glass.Model().Counters().Score, kDropPoints) << "the figure landed";
    EXPECT_TRUE(sounds.empty());
}

TEST_F(MainForm, NextPlayersStartLevelIsNotLimitedByThePreviousPlayersDifficulty) {
    WriteUsers("[Hard]\r\nDifficult=Impossible\r\nStartLevel=10\r\n[Easy]\r\nStartLevel=20\r\n");
    Start();
    LogIn("Hard");
    EXPECT_EQ(Find<QSpinBox>("seStartLevel")->maximum(), 10);
    form->iUserClick();
    LogIn("Easy");
    EXPECT_EQ(Find<QSpinBox>("seStartLevel")->value(), 20);
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
    EXPECT_FALSE(Find<QComboBox>("cbDifficult")->isEnabled());
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
    Find<QCheckBox>("cbAutoPause")->setChecked(true);
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
    const int keys = glass.Model().Counters().Keys;
    Key(Qt::Key_Left);
    Key(Qt::Key_Right);
    EXPECT_EQ(glass.Model().Counters().Keys, keys + 2);
    Key(Qt::Key_F4);
    Key(Qt::Key_Left);
    EXPECT_EQ(glass.Model().Counters().Keys, keys + 2);
}

TEST_F(MainForm, UnknownStoredKeyOpensTheOptionsPageUntilAKeyIsBound) {
    WriteUsers("[Bob]\r\nDrop=F5\r\n");
    Start();
    LogIn("Bob");
    EXPECT_EQ(form->View(), TMainForm::tView::Options);
    EXPECT_EQ(messages, std::vector<std::string>{"Error in control keys settings."});
    TKeyEdit* drop = KeyEdit(7);
    EXPECT_EQ(drop->text(), "(No)");
    Key(Qt::Key_F3);
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(form->View(), TMainForm::tView::Options);
    QTest::keyClick(drop, Qt::Key_F5);
    EXPECT_EQ(drop->text(), "(No)");
    QTest::keyClick(drop, Qt::Key_Q);
    EXPECT_EQ(drop->text(), "Q");
    EXPECT_EQ(drop->selectedText(), "Q");
    Key(Qt::Key_F3);
    EXPECT_EQ(form->View(), TMainForm::tView::Well);
    EXPECT_EQ(ReadUsers().ReadString("Bob", "Drop", ""), "(No)");
}

TEST_F(MainForm, BindingAKeyTwiceSoundsAnErrorAndLocksTheWell) {
    Start();
    LogIn("Ann");
    Key(Qt::Key_F4);
    sounds.clear();
    TKeyEdit* rotateLeft = KeyEdit(2);
    QTest::keyClick(rotateLeft, Qt::Key_Up);
    EXPECT_EQ(rotateLeft->text(), "Up");
    EXPECT_EQ(sounds, std::vector<std::string>{"Error"});
    EXPECT_FALSE(form->KeysValid());
    Key(Qt::Key_F3);
    EXPECT_EQ(form->View(), TMainForm::tView::Options);
    QTest::keyClick(rotateLeft, Qt::Key_Tab);
    EXPECT_EQ(sounds.size(), 2u);
    QTest::keyClick(rotateLeft, Qt::Key_Home);
    EXPECT_EQ(rotateLeft->text(), "Home");
    EXPECT_TRUE(form->KeysValid());
    QTest::mouseClick(Find<QLabel>("iGame"), Qt::LeftButton);
    EXPECT_EQ(form->View(), TMainForm::tView::Well);
}

TEST_F(MainForm, ChangeOfPlayerSavesOnlyWithAutoSave) {
    Start();
    LogIn("Ann");
    QSpinBox* lines = Find<QSpinBox>("seBrLines");
    lines->setValue(5);
    QTest::mouseClick(Find<tMyButton>("iUser"), Qt::LeftButton);
    EXPECT_EQ(form->View(), TMainForm::tView::Login);
    EXPECT_EQ(form->Glass(), nullptr);
    EXPECT_TRUE(form->CurrentPlayer().empty());
    EXPECT_EQ(ReadUsers().ReadString("Ann", "BrokenLines", ""), "5");
    LogIn("Ann");
    EXPECT_EQ(lines->value(), 5);
    Find<QCheckBox>("cbAutoSave")->setChecked(false);
    lines->setValue(7);
    form->iUserClick();
    EXPECT_EQ(ReadUsers().ReadString("Ann", "BrokenLines", ""), "5");
    EXPECT_EQ(ReadUsers().ReadString("Ann", "AutoSave", ""), "1");
}

TEST_F(MainForm, StandardAndRestoredOptionsFillTheControls) {
    WriteUsers("[Dee]\r\nBrokenLines=4\r\nMoveLeft=A\r\nShadow=1\r\n");
    Start();
    LogIn("Dee");
    QSpinBox* lines = Find<QSpinBox>("seBrLines");
    TKeyEdit* moveLeft = KeyEdit(3);
    form->iDefOptClick();
    EXPECT_EQ(lines->value(), 0);
    EXPECT_EQ(moveLeft->text(), "Left");
    EXPECT_FALSE(Find<QCheckBox>("cbShadow")->isChecked());
    EXPECT_EQ(ReadUsers().ReadString("Dee", "MoveLeft", ""), "A");
    form->iLoadClick();
    EXPECT_EQ(moveLeft->text(), "A");
    EXPECT_EQ(lines->value(), 4);
    form->iDefOptClick();
    form->iSaveClick();
    EXPECT_EQ(ReadUsers().ReadString("Dee", "MoveLeft", ""), "Left");
}

TEST_F(MainForm, DamagedPlayersFileIsKeptAsideAndToldOnce) {
    std::ofstream(dir_.filePath("users.dat").toStdString(), std::ios::binary) << "\x78\x9c garbage";
    Start();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0],
              "users.dat could not be read: the player list starts empty. The old file is kept as "
              "users.dat.damaged.");
    EXPECT_EQ(Find<QComboBox>("cbUsers")->count(), 0);
    EXPECT_TRUE(QFile::exists(dir_.filePath("users.dat.damaged")));
    LogIn("Eve");
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(ReadUsers().ReadString("Eve", "GameMode", ""), "Standart");
}

TEST_F(MainForm, NamesKeepToWhatTheFileCanHold) {
    Start();
    QComboBox* users = Find<QComboBox>("cbUsers");
    QTest::keyClicks(users->lineEdit(), "A[b]c");
    EXPECT_EQ(users->currentText(), "Abc");
    users->setEditText(QString::fromUtf8("Abc李"));
    EXPECT_EQ(users->currentText(), "Abc");
    users->setEditText(QString());
    QTest::keyClicks(users->lineEdit(), QString(60, 'W'));
    EXPECT_LT(users->currentText().size(), 60);
    // A letter the players' file cannot hold is refused as it is typed, and a hint beside the box, inside
    // the window, says why; in the window and in full screen alike.
    QLabel* hint = Find<QLabel>("lNameHint");
    for (const bool fullScreen : {false, true}) {
        SCOPED_TRACE(fullScreen);
        form->SetFullScreen(fullScreen);
        users->setEditText(QString());
        QTest::keyClicks(users->lineEdit(), "Zo");
        EXPECT_FALSE(hint->isVisible());
        QTest::sendKeyEvent(QTest::Click, users->lineEdit(), Qt::Key_Ediaeresis, QString::fromUtf8("ë"), {});
        EXPECT_EQ(users->currentText(), "Zo");
        ASSERT_TRUE(hint->isVisible());
        EXPECT_EQ(hint->text(), LangText("s0105"));
        EXPECT_NE(hint->text().indexOf("Cyrillic"), -1);
        // Box and hint share the page, which the window shows whole.
        ASSERT_EQ(hint->parentWidget(), users->parentWidget());
        const QRect box = users->geometry();
        const QRect shown = hint->geometry();
        EXPECT_TRUE(hint->parentWidget()->rect().contains(shown)) << shown.x() << "," << shown.y();
        EXPECT_LE(std::abs(shown.top() - box.bottom()), 8);
        EXPECT_LT(shown.left(), box.right());
        EXPECT_GT(shown.right(), box.left());
        QTest::keyClick(users->lineEdit(), Qt::Key_E);
        EXPECT_FALSE(hint->isVisible());
    }
}

TEST_F(MainForm, TheTypingLimitNeverCutsANamePickedFromTheList) {
    WriteUsers("[Robert Longname]\r\nDrop=Ctrl\r\n");
    Start();
    LogIn("Ann");
    form->iUserClick();
    QComboBox* users = Find<QComboBox>("cbUsers");
    ASSERT_EQ(users->count(), 2);
    users->setCurrentIndex(users->findText("Robert Longname"));
    EXPECT_EQ(users->currentText(), "Robert Longname");
    QTest::keyClick(users->lineEdit(), Qt::Key_Backspace);
    EXPECT_EQ(users->currentText(), "Robert Longnam");
    QTest::keyClick(users->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(form->CurrentPlayer(), "Robert Longnam");
}

TEST_F(MainForm, EveryControlWorksInFullScreenAndUntickingItThereLeavesIt) {
    Start();
    LogIn("Ann");
    Key(Qt::Key_F4);
    auto* fullScreen = Find<QCheckBox>("cbFullScreen");
    auto* shadow = Find<QCheckBox>("cbShadow");
    auto* wellTab = Find<QLabel>("iGame");
    auto* optionsTab = Find<QLabel>("iOpt");
    auto* save = Find<tMyButton>("iSave");
    QTest::mouseClick(fullScreen, Qt::LeftButton, {}, kBox);
    ASSERT_TRUE(form->FullScreen());
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::FramelessWindowHint));
    QApplication::processEvents();
    const QImage scaled = form->grab().toImage();
    ASSERT_GT(scaled.width(), 640);
    // Scaled to the screen's width, the client's edge reaches the screen's: centred at its own size it
    // would leave black bars there.
    EXPECT_EQ(scaled.pixelColor(scaled.width() - 1, scaled.height() / 2).name(), "#852229");

    ClickThroughView(wellTab);
    EXPECT_EQ(form->View(), TMainForm::tView::Well);
    ClickThroughView(&form->Glass()->View().WellImage());
    EXPECT_TRUE(form->Glass()->Playing());
    ClickThroughView(optionsTab);
    ASSERT_EQ(form->View(), TMainForm::tView::Options);
    ClickThroughView(shadow, kBox);
    ClickThroughView(save);
    EXPECT_EQ(ReadUsers().ReadString("Ann", "Shadow", ""), "1");

    // The view that delivers this click goes with full screen.
    ClickThroughView(fullScreen, kBox);
    QApplication::processEvents();
    EXPECT_FALSE(form->FullScreen());
    EXPECT_FALSE(form->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(form->size(), QSize(640, 480));
    QTest::mouseClick(shadow, Qt::LeftButton, {}, kBox);
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
    const std::string lost =
        disk.File("users.dat") + " could not be saved; the options of this run will not be kept: ";
    EXPECT_EQ(messages, std::vector<std::string>{lost + "No space left on device"});
    const auto stored = [&] {
        std::ifstream after(disk.File("users.dat"), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(after), std::istreambuf_iterator<char>());
    };
    EXPECT_EQ(stored(), before);
    ASSERT_TRUE(disk.MakeReadOnly());
    messages.clear();
    form->close();
    EXPECT_EQ(messages, std::vector<std::string>{lost + "Read-only file system"});
    EXPECT_EQ(stored(), before);
    form.reset();
}

TEST_F(MainForm, ATerminationSignalEndsTheGameWithItsSaves) {
    Start();
    LogIn("Ann");
    Key(Qt::Key_F4);
    QTest::mouseClick(Find<QCheckBox>("cbShadow"), Qt::LeftButton, {}, kBox);
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
    TKeyEdit* rotate = KeyEdit(1);
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
    QSpinBox* level = Find<QSpinBox>("seStartLevel");
    level->setValue(22);
    Pick(Find<QComboBox>("cbDifficult"), 2);
    EXPECT_EQ(level->value(), 15);
    Pick(Find<QComboBox>("cbDifficult"), 0);
    EXPECT_EQ(level->value(), 15);
    EXPECT_EQ(level->maximum(), 25);
    Find<QSpinBox>("seBrLines")->setValue(5);
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
    Find<QCheckBox>("cbShadow")->setChecked(true);
    Key(Qt::Key_F3);
    EXPECT_TRUE(glass.Playing());
    EXPECT_TRUE(glass.Paused());
    EXPECT_TRUE(glass.Falling());
}

TEST_F(MainForm, PlayersLanguageIsAppliedAtLogInAndF1OpensItsHelp) {
    QDir(dir_.path()).mkdir("lang");
    std::ofstream(dir_.filePath("lang/Deutsch.lng").toStdString(), std::ios::binary)
        << "[General]\r\nBuild=64\r\nHelp=hilfe.txt\r\n[Language]\r\ns0106=Nichts gefunden: %1\r\n"
           "s1000=Spiel\r\ns3002=Spieler wechseln\r\ns3004=Spielername:\r\n";
    std::ofstream(dir_.filePath("lang/hilfe.txt").toStdString()) << "Hilfe";
    WriteUsers("[Gus]\r\nLanguage=Deutsch\r\n[Ann]\r\n");
    tShellRecorder shell;
    const std::vector<std::string>& opened = shell.opened;
    Start();
    Key(Qt::Key_F1);
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(Find<QLabel>("lUserName")->text(), "Player name:");
    LogIn("Gus");
    EXPECT_EQ(Find<QLabel>("iGame")->toolTip(), "Spiel");
    EXPECT_EQ(Find<tMyButton>("iUser")->Hint(), "Spieler wechseln");
    EXPECT_EQ(Find<QComboBox>("cbLanguage")->currentText(), "Deutsch");
    Key(Qt::Key_F1);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_NE(opened[0].find("hilfe.txt"), std::string::npos);
    EXPECT_EQ(ReadUsers().ReadString("Gus", "Language", ""), "Deutsch");

    // A desktop without a browser: the player is told in their language where the help lies, the path is on
    // the clipboard, and the game goes on.
    shell.opens = false;
    Key(Qt::Key_F2);
    Key(Qt::Key_F1);
    ASSERT_EQ(opened.size(), 2u);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Nichts gefunden: " + opened[1]);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), opened[1]);
    EXPECT_TRUE(form->Glass()->Playing());
    EXPECT_FALSE(form->Glass()->Paused());

    // The log-in page speaks the language of the player who logged in last, also after the log-out and at
    // the next start.
    EXPECT_EQ(Find<QLabel>("lUserName")->text(), "Spielername:");
    QTest::mouseClick(Find<tMyButton>("iUser"), Qt::LeftButton);
    EXPECT_EQ(form->View(), TMainForm::tView::Login);
    EXPECT_EQ(Find<QLabel>("lUserName")->text(), "Spielername:");
    form.reset();
    Start();
    EXPECT_EQ(Find<QLabel>("lUserName")->text(), "Spielername:");
    LogIn("Ann");
    QTest::mouseClick(Find<tMyButton>("iUser"), Qt::LeftButton);
    form.reset();
    Start();
    EXPECT_EQ(Find<QLabel>("lUserName")->text(), "Player name:");
    // Who logged in last is told by the order of the sections alone: each keeps its options.
    EXPECT_EQ(ReadUsers().ReadString("Gus", "Language", ""), "Deutsch");
}

TEST_F(MainForm, TabNeverMovesTheFocusAndSpinEditsTakeNoTyping) {
    Start();
    Find<QComboBox>("cbUsers")->setFocus();
    QWidget* focused = form->focusWidget();
    ASSERT_NE(focused, nullptr);
    QTest::keyClick(focused, Qt::Key_Tab);
    QTest::keyClick(focused, Qt::Key_Backtab);
    EXPECT_EQ(form->focusWidget(), focused);
    LogIn("Ann");
    Key(Qt::Key_F4);
    QSpinBox* lines = Find<QSpinBox>("seBrLines");
    lines->setFocus();
    QTest::keyClicks(form->KeyTarget(), "7");
    EXPECT_EQ(lines->value(), 0);
    QTest::keyClick(form->KeyTarget(), Qt::Key_Up);
    EXPECT_EQ(lines->value(), 1);
    EXPECT_EQ(form->View(), TMainForm::tView::Options);
    QComboBox* skins = Find<QComboBox>("cbSkin");
    skins->setFocus();
    QTest::keyClick(form->KeyTarget(), Qt::Key_Tab);
    EXPECT_EQ(form->focusWidget(), skins);
}

TEST_F(MainForm, TheRepeatIsSetOnTheOptionsPageAndKeptAfterTheOtherKeys) {
    Start();
    LogIn("Ann");
    Key(Qt::Key_F4);
    QSpinBox* delay = Find<QSpinBox>("seRepeatDelay");
    QSpinBox* rate = Find<QSpinBox>("seRepeatRate");
    EXPECT_EQ(delay->value(), 500);
    EXPECT_EQ(rate->value(), 30);
    EXPECT_EQ(Find<QLabel>("lRepeatRate")->text(), LabelForm(LangText("s2207")));
    delay->setFocus();
    Key(Qt::Key_Down);
    rate->setFocus();
    Key(Qt::Key_Up);
    QTest::mouseClick(Find<tMyButton>("iSave"), Qt::LeftButton);
    const tStringListPackedINI users = ReadUsers();
    EXPECT_EQ(users.ReadString("Ann", "RepeatDelay", ""), "490");
    EXPECT_EQ(users.ReadString("Ann", "RepeatRate", ""), "31");
    EXPECT_NE(users.Text().find("DropButton=x\r\nRepeatDelay=490\r\nRepeatRate=31\r\n"), std::string::npos);
}

TEST_F(MainForm, KeysOnTheWellPageNeverReachAHiddenControlOfTheOptionsPage) {
    Start();
    LogIn("Ann");
    Key(Qt::Key_F4);
    TKeyEdit* moveLeft = KeyEdit(3);
    QComboBox* gameType = Find<QComboBox>("cbGType");
    QTest::mouseClick(moveLeft, Qt::LeftButton);
    QTest::mouseClick(Find<QLabel>("iGame"), Qt::LeftButton);
    Key(Qt::Key_Right);
    EXPECT_EQ(moveLeft->text(), "Left");
    form->SetFullScreen(true);
    Key(Qt::Key_F4);
    gameType->setFocus();
    Key(Qt::Key_F3);
    Key(Qt::Key_Down);
    EXPECT_EQ(gameType->currentIndex(), 0);
    EXPECT_FALSE(form->OptionsChanged());
}
