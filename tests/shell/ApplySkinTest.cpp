// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormFixture.h"

#include "look/uSkin.h"
#include "shell/uMessageBox.h"
#include "widgets/uOther.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QSpinBox>
#include <QStyleOptionButton>
#include <QToolTip>

#include <map>
#include <utility>

namespace {

// Every colour key the window shows, each given a colour of its own.
const std::vector<std::pair<std::string, std::string>> kColorKeys = [] {
    const std::pair<std::string, QString> sections[] = {
        {"Common", "clrPanel clrBorder"},
        {"Panel_Game", "clrPanel clrBorder"},
        {"Panel_Conf",
         "clrPanel clrBorder clrOptionsTitle clrOptionName clrComboBox clrComboBoxArrow "
         "clrComboBoxArrowBackGround clrComboBoxBorder clrComboBoxText clrSpinEditBorder "
         "clrSpinEditFlat clrSpinEditFocused clrSpinEditText clrCheckBoxBorder clrCheckBoxCheck "
         "clrCheckBoxDown clrCheckBoxFocused clrCheckBoxText clrEditBorder clrEditFlat "
         "clrEditFocused clrEditText"},
        {"MessageBox", "clrPanel clrBorder clrText"},
        {"Hint", "clrBackGround clrText clrBorder"}};
    std::vector<std::pair<std::string, std::string>> keys;
    for (const auto& [section, names] : sections)
        for (const QString& name : names.split(' '))
            keys.emplace_back(section, name.toStdString());
    return keys;
}();

QRgb Distinct(size_t i) {
    const int n = static_cast<int>(i);
    return qRgb((8 * n + 3) % 256, 255 - 7 * n, (60 + 23 * n) % 256);
}

QRgb C(const std::string& section, const std::string& key) {
    for (size_t i = 0; i < kColorKeys.size(); ++i)
        if (kColorKeys[i] == std::pair(section, key))
            return Distinct(i);
    ADD_FAILURE() << section << " " << key;
    return 0;
}

// The background around the well: every pixel tells where it came from.
QRgb BackgroundAt(int x, int y) {
    return qRgb(x % 256, y % 256, 40 * (x / 256) + 120 * (y / 256));
}

constexpr QRgb kHelpColor = qRgb(12, 34, 56);

QImage Shot(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Smoothed text reaches its full colour only in parts of its strokes: a pixel close to it is enough.
bool Shows(const QImage& image, QRgb color, QRect area = {}) {
    if (area.isNull())
        area = image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb at = image.pixel(x, y);
            if (std::abs(qRed(at) - qRed(color)) + std::abs(qGreen(at) - qGreen(color)) +
                    std::abs(qBlue(at) - qBlue(color)) <=
                12)
                return true;
        }
    return false;
}

class ApplySkin : public FormFixture {
protected:
    void WriteSkin(const std::string& name, QSize background) {
        const QString folder = dir_.filePath(QString::fromStdString("skin/" + name));
        QDir().mkpath(folder);
        std::map<std::string, std::string> sections;
        for (size_t i = 0; i < kColorKeys.size(); ++i) {
            const QRgb rgb = Distinct(i);
            const uint32_t bgr = static_cast<uint32_t>(qRed(rgb) | qGreen(rgb) << 8 | qBlue(rgb) << 16);
            sections[kColorKeys[i].first] += kColorKeys[i].second + "=" + std::to_string(bgr) + "\r\n";
        }
        sections["Panel_Game"] += "btmBG=bg.bmp\r\n";
        sections["Buttons"] += "btmHelpDefault=help.bmp\r\nbtmHelpFocused=help.bmp\r\n";
        std::string ini = "[General]\r\nBuild=64\r\nAuthor=Tester\r\n";
        for (const auto& [section, lines] : sections)
            ini += "[" + section + "]\r\n" + lines;
        QFile file(folder + "/skin.ini");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(ini.c_str());
        QImage bg(background, QImage::Format_RGB32);
        for (int y = 0; y < bg.height(); ++y)
            for (int x = 0; x < bg.width(); ++x)
                bg.setPixel(x, y, BackgroundAt(x, y));
        ASSERT_TRUE(bg.save(folder + "/bg.bmp", "BMP"));
        QImage help(31, 30, QImage::Format_RGB32);
        help.fill(kHelpColor);
        // The corner colour is the one a picture button keys out.
        help.setPixel(0, 29, qRgb(0, 0, 0));
        ASSERT_TRUE(help.save(folder + "/help.bmp", "BMP"));
    }
    void StartWithSkins() {
        WriteSkin("bright", QSize(585, 460));
        WriteSkin("small", QSize(584, 460));
        Start();
        LogIn("Ann");
        form->iOptClick();
    }
    void PickSkin(const QString& name) {
        QComboBox* skins = Find<QComboBox>("cbSkin");
        const int index = skins->findText(name);
        ASSERT_GE(index, 0);
        Pick(skins, index);
        ASSERT_EQ(skins->currentText(), name);
    }
};

} // namespace

TEST_F(ApplySkin, PanelsAndTheBackgroundAroundTheWellTakeTheSkin) {
    StartWithSkins();
    form->iGameClick();
    EXPECT_TRUE(Find<QLabel>("iBGLeft")->isHidden());
    form->iOptClick();
    PickSkin("bright");
    const QImage conf = Shot(Find<QFrame>("pConf"));
    EXPECT_EQ(conf.pixel(0, 0), C("Panel_Conf", "clrBorder"));
    EXPECT_EQ(conf.pixel(2, 2), C("Panel_Conf", "clrPanel"));
    form->iGameClick();
    const QImage game = Shot(Find<QFrame>("pGame"));
    EXPECT_EQ(game.pixel(0, 0), C("Common", "clrBorder"));
    EXPECT_EQ(game.pixel(2, 200), C("Common", "clrPanel"));
    const QImage glass = Shot(Find<QFrame>("pGlass"));
    EXPECT_EQ(glass.pixel(0, 0), C("Panel_Game", "clrBorder"));
    EXPECT_EQ(glass.pixel(584, 459), C("Panel_Game", "clrBorder"));
    // Column 322 above row 401 is the well's own frame: the well is made at log-in, over the pictures.
    for (const QPoint at : {QPoint(1, 1), QPoint(120, 458), QPoint(121, 401), QPoint(322, 458),
                            QPoint(323, 1), QPoint(583, 458), QPoint(583, 1)})
        EXPECT_EQ(glass.pixel(at), BackgroundAt(at.x() - 1, at.y() - 1)) << at.x() << "," << at.y();

    form->iOptClick();
    PickSkin("small");
    EXPECT_TRUE(Find<QLabel>("iBGLeft")->isHidden());
    EXPECT_TRUE(Find<QLabel>("iBGBottom")->isHidden());
    EXPECT_TRUE(Find<QLabel>("iBGRight")->isHidden());
    form->iGameClick();
    EXPECT_EQ(Shot(Find<QFrame>("pGlass")).pixel(10, 10), C("Panel_Game", "clrPanel"));
}

TEST_F(ApplySkin, OptionControlsAreFlatInTheSkinsColours) {
    StartWithSkins();
    PickSkin("bright");
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    const QImage combo = Shot(Find<QComboBox>("cbGType"));
    EXPECT_EQ(combo.pixel(0, 0), C("Panel_Conf", "clrComboBoxBorder"));
    EXPECT_EQ(combo.pixel(2, 2), C("Panel_Conf", "clrComboBox"));
    EXPECT_EQ(combo.pixel(combo.width() - 3, 2), C("Panel_Conf", "clrComboBoxArrowBackGround"));
    EXPECT_TRUE(Shows(combo, C("Panel_Conf", "clrComboBoxArrow")));
    EXPECT_TRUE(Shows(combo, C("Panel_Conf", "clrComboBoxText")));
    EXPECT_EQ(Shot(Find<QComboBox>("cbSkin")).pixel(2, 2), C("Panel_Conf", "clrComboBox"));
    const QPalette dropDown = Find<QComboBox>("cbDifficult")->view()->window()->palette();
    EXPECT_EQ(dropDown.color(QPalette::Base).rgb(), C("Panel_Conf", "clrComboBox"));
    EXPECT_EQ(dropDown.color(QPalette::Text).rgb(), C("Panel_Conf", "clrComboBoxText"));

    Find<QCheckBox>("cbShadow")->clearFocus();
    QSpinBox* lines = Find<QSpinBox>("seBrLines");
    QImage spin = Shot(lines);
    EXPECT_EQ(spin.pixel(0, 0), C("Panel_Conf", "clrSpinEditBorder"));
    EXPECT_EQ(spin.pixel(3, 3), C("Panel_Conf", "clrSpinEditFlat"));
    EXPECT_TRUE(Shows(spin, C("Panel_Conf", "clrSpinEditText")));
    lines->setFocus();
    spin = Shot(lines);
    EXPECT_EQ(spin.pixel(3, 3), C("Panel_Conf", "clrSpinEditFocused"));

    TKeyEdit* rotate = KeyEdit(1);
    QImage edit = Shot(rotate);
    EXPECT_EQ(edit.pixel(0, 0), C("Panel_Conf", "clrEditBorder"));
    EXPECT_EQ(edit.pixel(2, 2), C("Panel_Conf", "clrEditFlat"));
    EXPECT_TRUE(Shows(edit, C("Panel_Conf", "clrEditText")));
    rotate->setFocus();
    EXPECT_EQ(Shot(rotate).pixel(2, 2), C("Panel_Conf", "clrEditFocused"));

    QCheckBox* box = Find<QCheckBox>("cbAutoPause");
    box->setChecked(true);
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    const QImage check = Shot(box);
    EXPECT_EQ(check.pixel(indicator.topLeft()), C("Panel_Conf", "clrCheckBoxBorder"));
    EXPECT_TRUE(Shows(check, C("Panel_Conf", "clrCheckBoxCheck"), indicator));
    EXPECT_TRUE(Shows(check, C("Panel_Conf", "clrCheckBoxText")));
    EXPECT_FALSE(Shows(check, C("Panel_Conf", "clrOptionName")));

    EXPECT_TRUE(Shows(Shot(Find<QLabel>("lSkin")), C("Panel_Conf", "clrOptionName")));
    EXPECT_TRUE(Shows(Shot(Find<QLabel>("lKeys4")), C("Panel_Conf", "clrOptionName")));
    EXPECT_TRUE(Shows(Shot(Find<QLabel>("lOptions")), C("Panel_Conf", "clrOptionsTitle")));
}

TEST_F(ApplySkin, ButtonsHintsAndMessageBoxTakeTheSkin) {
    StartWithSkins();
    tMyButton* help = Find<tMyButton>("iHelp");
    help->DrawHover();
    PickSkin("bright");
    EXPECT_EQ(help->Picture().pixel(15, 15), kHelpColor | 0xFF000000u);
    EXPECT_EQ(help->NormalBitmap().pixel(15, 15), kHelpColor | 0xFF000000u);
    EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipBase).rgb(), C("Hint", "clrBackGround"));
    EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipText).rgb(), C("Hint", "clrText"));
    EXPECT_NE(Find<QComboBox>("cbSkin")->toolTip().indexOf("Tester"), -1);
    QToolTip::showText(form->mapToGlobal(QPoint(100, 100)), "Hint", form.get());
    QWidget* hint = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->inherits("QTipLabel") && top->isVisible())
            hint = top;
    ASSERT_NE(hint, nullptr);
    const QImage hintShot = Shot(hint);
    EXPECT_EQ(hintShot.pixel(0, 0), C("Hint", "clrBorder"));
    EXPECT_EQ(hintShot.pixel(1, hintShot.height() / 2), C("Hint", "clrBackGround"));
    EXPECT_TRUE(Shows(hintShot, C("Hint", "clrText")));
    const int oneLine = hint->height();
    // A long comment of a skin wraps at the hint window's width limit.
    QToolTip::showText(form->mapToGlobal(QPoint(100, 100)),
                       "Comment : " + QString("a skin of many words, ").repeated(12), form.get());
    EXPECT_LE(hint->width(), 350);
    EXPECT_GT(hint->height(), 2 * oneLine);
    QToolTip::hideText();

    TfMessageBox* box = MessageBoxWindow();
    const QImage message = Shot(box);
    EXPECT_EQ(message.pixel(1, 1), C("MessageBox", "clrPanel"));
    EXPECT_EQ(message.pixel(5, 5), C("MessageBox", "clrBorder"));
    EXPECT_EQ(box->lMessage->palette().color(QPalette::WindowText).rgb(), C("MessageBox", "clrText"));

    PickSkin("(Default)");
    EXPECT_NE(help->NormalBitmap().pixel(15, 15), kHelpColor | 0xFF000000u);
    EXPECT_NE(Shot(Find<QFrame>("pConf")).pixel(0, 0), C("Panel_Conf", "clrBorder"));
}
