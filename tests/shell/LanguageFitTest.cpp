// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormFixture.h"
#include "core/uRules.h"
#include "engine/uHSGrid.h"
#include "look/uLang.h"
#include "platform/uCodePage.h"
#include "tests/support/ShellRecorder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <gtest/gtest.h>

#include <fstream>

namespace {

const QString kData = QStringLiteral(STAKKAR_DATA_DIR);

// Where a text is wider than the room its control gives it, one line each: "<control>: <text> (<width> >
// <room>)".
class tOverflows {
public:
    void Check(const QString& where, const QString& text, const QFont& font, int room) {
        for (const QString& line : text.split(u'\n')) {
            const int width = QFontMetrics(font).horizontalAdvance(line);
            if (width > room) {
                found_.push_back(
                    QString("%1: %2 (%3 > %4)").arg(where, line).arg(width).arg(room).toStdString());
            }
        }
    }
    const std::vector<std::string>& Found() const { return found_; }

private:
    std::vector<std::string> found_;
};

class LanguageFit : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        QDir().mkpath(dir_.filePath("lang"));
        QDirIterator files(kData + "/lang", QDir::Files);
        while (files.hasNext()) {
            const QString file = files.next();
            ASSERT_TRUE(QFile::copy(file, dir_.filePath("lang/" + QFileInfo(file).fileName())));
        }
    }

    // The player picks the language in the options page's list, with the arrow keys.
    void PickLanguage(const char* utf8Name) {
        QComboBox* list = Find<QComboBox>("cbLanguage");
        const int index = list->findText(QString::fromUtf8(utf8Name));
        ASSERT_GE(index, 0) << utf8Name;
        Pick(list, index);
        ASSERT_EQ(list->currentText(), QString::fromUtf8(utf8Name));
    }

    // Every label and check box of the window, and the texts of the well and the high score panel that
    // change with the game, measured in their own fonts against their own widths. Texts that wrap (the
    // message box, the well's message, the clears counter) and hints are left out: they grow or wrap.
    tOverflows Measure() const {
        tOverflows overflows;
        for (const QLabel* label : form->findChildren<QLabel*>()) {
            if (label->wordWrap() || label->text().isEmpty()) {
                continue;
            }
            overflows.Check(label->objectName(), label->text(), label->font(), label->contentsRect().width());
        }
        for (const QCheckBox* box : form->findChildren<QCheckBox*>()) {
            QStyleOptionButton option;
            option.initFrom(box);
            option.text = box->text();
            const QRect room = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
            overflows.Check(box->objectName(), box->text(), box->font(), room.width());
        }
        const QLabel* title = Find<QLabel>("lScoresTitle");
        for (const tGameTypeRule& type : kGameTypes) {
            for (const tDifficultyRule& difficulty : kDifficulties) {
                overflows.Check(title->objectName(),
                                HeaderForm(LangText("s1400") + " [" + FromCodePage(type.Name) + ":" +
                                           FromCodePage(difficulty.Name) + "]"),
                                title->font(), title->contentsRect().width());
            }
        }
        const QLabel* info = Find<QLabel>("lInfo");
        overflows.Check("lInfo",
                        LabelForm(LangText("s1501")) + "07.03.05 21:15:00\n" + LabelForm(LangText("s1502")) +
                            "104:02\n" + LabelForm(LangText("s1503")) + "10   |   " +
                            LabelForm(LangText("s1504")) + "15\n" + LabelForm(LangText("s1505")) +
                            "9999 [23,8/m]\n" + LabelForm(LangText("s1506")) + "9999 [7,7/m]",
                        info->font(), info->contentsRect().width());
        QFont heading("Verdana");
        heading.setPixelSize(11);
        heading.setBold(true);
        for (int column = 0; column < 3; ++column) {
            // A header cell keeps a pixel of border on each side.
            overflows.Check("grid header", LangText(LanguageKey(1 * 66 + 4 * 11 + 1 + column)), heading,
                            kHSColumnWidths[static_cast<size_t>(column)] - 2);
        }
        return overflows;
    }
};

} // namespace

TEST_F(LanguageFit, APickedLanguageShowsItsOwnLettersAndF1OpensItsHelp) {
    tShellRecorder shell;
    Start();
    LogIn("Ann");
    QTest::keyClick(form->KeyTarget(), Qt::Key_F4);
    PickLanguage("Deutsch");
    EXPECT_EQ(Find<QCheckBox>("cbSounds")->text(), QString::fromUtf8("Töne"));
    EXPECT_EQ(Find<QLabel>("lInterface")->text(), QString::fromUtf8(":: Oberfläche ::"));
    PickLanguage("Français");
    EXPECT_EQ(Find<QLabel>("lOpt2")->text(), QString::fromUtf8("Difficulté : "));
    PickLanguage("Polski");
    EXPECT_EQ(Find<QCheckBox>("cbSounds")->text(), QString::fromUtf8("Dźwięki"));
    EXPECT_EQ(Find<QLabel>("lLanguage")->text(), QString::fromUtf8("Język : "));
    QTest::keyClick(Find<QComboBox>("cbLanguage"), Qt::Key_F1);
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_NE(shell.opened[0].find("lang/stakkar-pl.html"), std::string::npos);
    PickLanguage("(Default)");
    EXPECT_EQ(Find<QCheckBox>("cbSounds")->text(), "Sounds");
    QTest::keyClick(Find<QComboBox>("cbLanguage"), Qt::Key_F1);
    ASSERT_EQ(shell.opened.size(), 2u);
    EXPECT_NE(shell.opened[1].find("lang/stakkar-en.html"), std::string::npos);
    EXPECT_TRUE(messages.empty());
}

TEST_F(LanguageFit, EveryLanguagesTextsFitTheirControls) {
    Start();
    LogIn("Ann");
    QTest::keyClick(form->KeyTarget(), Qt::Key_F4);
    QComboBox* list = Find<QComboBox>("cbLanguage");
    ASSERT_EQ(list->count(), 8);
    for (int index = 0; index < list->count(); ++index) {
        Pick(list, index);
        EXPECT_EQ(Measure().Found(), std::vector<std::string>{}) << list->currentText().toStdString();
    }
    EXPECT_TRUE(messages.empty());
    // A text too long for its place is found.
    std::ofstream(dir_.filePath("lang/Long.lng").toStdString(), std::ios::binary)
        << "[General]\r\nBuild=64\r\n[Language]\r\ns2107=" << std::string(40, 'W') << "\r\n";
    form.reset();
    Start();
    LogIn("Ann");
    QTest::keyClick(form->KeyTarget(), Qt::Key_F4);
    PickLanguage("Long");
    const std::vector<std::string> found = Measure().Found();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].rfind("cbSounds: WWW", 0), 0u) << found[0];
}
