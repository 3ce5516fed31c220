// SPDX-License-Identifier: GPL-3.0-or-later
// Run with QT_SCALE_FACTOR=2: a screen of device pixel ratio 2.
#include "FormFixture.h"

#include "widgets/uOther.h"

#include <QLabel>

namespace {

// The share of the 2 x 2 device-pixel squares inside a widget that are one colour: all of them for a bitmap
// enlarged without smoothing, fewer for text drawn at the full resolution. The outer pixels are left out,
// where the hairline borders of neighbouring panels may lie.
double UniformShare(const QImage& shot, const QWidget* widget, const QWidget* window) {
    const QRect inner = widget->rect().adjusted(1, 1, -1, -1);
    const QRect area(widget->mapTo(window, inner.topLeft()) * 2, inner.size() * 2);
    int uniform = 0;
    int all = 0;
    for (int y = area.top(); y < area.bottom(); y += 2) {
        for (int x = area.left(); x < area.right(); x += 2) {
            const QRgb p = shot.pixel(x, y);
            uniform +=
                p == shot.pixel(x + 1, y) && p == shot.pixel(x, y + 1) && p == shot.pixel(x + 1, y + 1);
            ++all;
        }
    }
    return all ? double(uniform) / all : 0.0;
}

} // namespace

using HighDpi = FormFixture;

TEST_F(HighDpi, TheWindowIsTwiceTheSizeWithBitmapsUnblurredAndTextAtFullResolution) {
    Start();
    ASSERT_EQ(form->devicePixelRatio(), 2.0);
    const QImage shot = form->grab().toImage();
    EXPECT_EQ(shot.size(), QSize(1280, 960));
    EXPECT_EQ(UniformShare(shot, Find<QLabel>("iLogIn"), form.get()), 1.0);
    EXPECT_EQ(UniformShare(shot, Find<tMyButton>("iExit"), form.get()), 1.0);
    EXPECT_LT(UniformShare(shot, Find<QLabel>("lTitle"), form.get()), 0.99);

    LogIn("Ivan");
    const QImage well = form->grab().toImage();
    EXPECT_EQ(UniformShare(well, Find<QLabel>("iGame"), form.get()), 1.0);
    EXPECT_EQ(UniformShare(well, Find<tMyButton>("iExitGame"), form.get()), 1.0);
}

TEST_F(HighDpi, TheNameHintStandsUnderTheNameBoxInsideTheWindow) {
    Start();
    auto* users = Find<QComboBox>("cbUsers");
    QTest::sendKeyEvent(QTest::Click, users->lineEdit(), Qt::Key_Ediaeresis, QString::fromUtf8("ë"), {});
    auto* hint = Find<QLabel>("lNameHint");
    ASSERT_TRUE(hint->isVisible());
    const QRect shown(hint->mapTo(form.get(), QPoint()), hint->size());
    const QRect box(users->mapTo(form.get(), QPoint()), users->size());
    EXPECT_TRUE(form->rect().contains(shown));
    EXPECT_LE(std::abs(shown.top() - box.bottom()), 8);
    // Drawn where it stands: the shot of the window shows the hint's colour under the box.
    const QImage shot = form->grab().toImage();
    EXPECT_EQ(shot.pixelColor(shown.center() * 2 + QPoint(0, shown.height() - 4)),
              hint->palette().color(QPalette::ToolTipBase));
}
