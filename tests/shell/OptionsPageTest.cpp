// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormFixture.h"

#include "engine/uGame.h"
#include "storage/uPackIni.h"
#include "widgets/uOther.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>
#include <QStyleOptionSpinBox>
#include <QWheelEvent>

namespace {

class OptionsPage : public FormFixture {
protected:
    void StartGame() {
        form->iGameClick();
        QTest::keyClick(form->KeyTarget(), Qt::Key_F2);
        ASSERT_TRUE(form->Glass()->Playing());
    }
    // What the engine plays with: the table a new game opens and its starting speed.
    std::string EngineTable() {
        tGlass& glass = *form->Glass();
        return glass.HiScore().GameTypeName() + "/" + glass.HiScore().DifficultyName();
    }
    void WriteUsersFile() {
        tStringListPackedINI ini;
        ini.SetText("[Bob]\r\nGameMode=Standart\r\nDifficult=Easy\r\nStartLevel=7\r\nBrokenLines=3\r\n"
                    "ShowFix=0\r\nMoveLeft=A\r\n");
        ini.SaveCompressedFile(dir_.filePath("users.dat").toStdString());
    }
    void Click(const char* button) {
        QTest::mouseClick(Find<tMyButton>(button), Qt::LeftButton, {}, QPoint(5, 5));
    }
    QComboBox* GameType() const { return Find<QComboBox>("cbGType"); }
    QComboBox* Difficulty() const { return Find<QComboBox>("cbDifficult"); }
    QSpinBox* StartLevel() const { return Find<QSpinBox>("seStartLevel"); }
    QSpinBox* BrokenLines() const { return Find<QSpinBox>("seBrLines"); }
};

} // namespace

TEST_F(OptionsPage, PickedGameTypeAndDifficultyReachTheEngineAndLimitTheStartLevel) {
    Start();
    LogIn("Ann");
    form->iOptClick();
    StartLevel()->setValue(22);
    Pick(GameType(), 1);
    Pick(Difficulty(), 2);
    EXPECT_EQ(StartLevel()->maximum(), 15);
    EXPECT_EQ(StartLevel()->value(), 15);
    EXPECT_TRUE(form->OptionsChanged());
    Pick(Difficulty(), 0);
    EXPECT_EQ(StartLevel()->maximum(), 25);
    EXPECT_EQ(StartLevel()->value(), 15);
    Pick(Difficulty(), 2);

    StartGame();
    EXPECT_EQ(EngineTable(), "Extended/Hard");
    EXPECT_EQ(form->Glass()->Timer().Interval(), 500 - 200 - 20 * 14);
}

TEST_F(OptionsPage, GameOptionsAreLockedWhileAGameRunsAndTheOptionButtonsLeaveThemAlone) {
    WriteUsersFile();
    Start();
    LogIn("Bob");
    Pick(Difficulty(), 1);
    StartGame();
    form->iOptClick();
    for (QWidget* control :
         std::initializer_list<QWidget*>{GameType(), Difficulty(), StartLevel(), BrokenLines()})
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_TRUE(Find<QCheckBox>("cbShadow")->isEnabled());

    Click("iDefOpt");
    EXPECT_EQ(Difficulty()->currentText(), "Normal");
    EXPECT_EQ(BrokenLines()->value(), 3);
    EXPECT_EQ(StartLevel()->maximum(), 20);
    EXPECT_EQ(StartLevel()->value(), 7);
    EXPECT_TRUE(Find<QCheckBox>("cbShowFix")->isChecked());
    EXPECT_EQ(KeyEdit(3)->text(), "Left");
    Click("iLoad");
    EXPECT_EQ(GameType()->currentText(), "Standart");
    EXPECT_EQ(KeyEdit(3)->text(), "A");
    EXPECT_FALSE(form->OptionsChanged());

    form->iGameClick();
    EXPECT_TRUE(form->Glass()->Playing());
    EXPECT_TRUE(form->Glass()->Paused());
    EXPECT_EQ(EngineTable(), "Standart/Normal");
}

TEST_F(OptionsPage, OptionButtonsWithoutAGameMoveTheEngineWithTheLists) {
    WriteUsersFile();
    Start();
    LogIn("Bob");
    form->iOptClick();
    Pick(GameType(), 1);
    Pick(Difficulty(), 3);
    form->iGameClick();
    form->iOptClick();

    Click("iLoad");
    EXPECT_EQ(GameType()->currentText(), "Standart");
    EXPECT_EQ(StartLevel()->value(), 7);
    EXPECT_TRUE(form->OptionsChanged());
    StartGame();
    EXPECT_EQ(EngineTable(), "Standart/Easy");
    EXPECT_EQ(form->Glass()->Timer().Interval(), 500 - 20 * 6);
    QTest::keyClick(form->KeyTarget(), Qt::Key_Escape);
    ASSERT_FALSE(form->Glass()->Playing());

    form->iOptClick();
    Pick(Difficulty(), 2);
    Click("iDefOpt");
    EXPECT_EQ(Difficulty()->currentText(), "Easy");
    EXPECT_EQ(StartLevel()->maximum(), 25);
    EXPECT_EQ(BrokenLines()->value(), 0);
    StartGame();
    EXPECT_EQ(EngineTable(), "Standart/Easy");
    EXPECT_EQ(form->Glass()->Timer().Interval(), 500);
}

TEST_F(OptionsPage, SpinEditsMoveOneStepOnlyByTheirButtonsAndTheArrowKeys) {
    Start();
    LogIn("Ann");
    form->iOptClick();
    QSpinBox* lines = BrokenLines();
    lines->setFocus();
    for (const Qt::Key key : {Qt::Key_PageUp, Qt::Key_End, Qt::Key_5})
        QTest::keyClick(form->KeyTarget(), key);
    EXPECT_EQ(lines->value(), 0);
    QWheelEvent wheel(QPointF(5, 5), lines->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(lines, &wheel);
    EXPECT_EQ(lines->value(), 0);
    QTest::keyClick(form->KeyTarget(), Qt::Key_Up);
    EXPECT_EQ(lines->value(), 1);

    QStyleOptionSpinBox option;
    option.initFrom(lines);
    option.subControls = QStyle::SC_SpinBoxUp;
    option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    const QRect up = lines->style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, lines);
    QTest::mouseClick(lines, Qt::LeftButton, {}, up.center());
    EXPECT_EQ(lines->value(), 2);
}
