// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uResource.h"
#include "widgets/uOther.h"

#include <QApplication>
#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A solid picture whose bottom-left pixel (and the column above it) carries a key colour.
QImage Picture(QRgb face, QRgb key) {
    QImage image(31, 30, QImage::Format_RGB32);
    image.fill(face);
    for (int y = 0; y < image.height(); ++y) {
        image.setPixel(0, y, key);
    }
    return image;
}

void Enter(QWidget* w) {
    QEnterEvent event(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(w, &event);
}

void Leave(QWidget* w) {
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(w, &event);
}

QRgb At(QWidget* w, int x, int y) {
    return w->grab().toImage().pixel(x, y) & 0xFFFFFF;
}

} // namespace

TEST(ImageButton, SwitchesBetweenHoverAndNormalPictureEveryTimeWithThePanelShowingThroughTheKey) {
    QWidget panel;
    panel.resize(100, 100);
    panel.setStyleSheet("background-color: #123456;");
    tMyButton button(&panel);
    button.setGeometry(10, 10, 31, 30);
    button.SetBitmaps(Picture(qRgb(200, 0, 0), qRgb(0, 255, 0)), Picture(qRgb(0, 0, 200), qRgb(255, 0, 255)));
    button.DrawNormal();
    panel.show();

    for (int round = 0; round < 2; ++round) {
        Enter(&button);
        EXPECT_EQ(At(&panel, 20, 20), qRgb(0, 0, 200) & 0xFFFFFF) << round;
        EXPECT_EQ(At(&panel, 10, 20), qRgb(0x12, 0x34, 0x56) & 0xFFFFFF) << "the key colour is see-through";
        Leave(&button);
        EXPECT_EQ(At(&panel, 20, 20), qRgb(200, 0, 0) & 0xFFFFFF) << round;
        EXPECT_EQ(At(&panel, 10, 20), qRgb(0x12, 0x34, 0x56) & 0xFFFFFF);
    }
    EXPECT_EQ(qAlpha(button.Picture().pixel(0, 29)), 0);
    EXPECT_EQ(qAlpha(button.Picture().pixel(1, 29)), 255);
}

TEST(ImageButton, TheKeyIsTheBottomLeftPixelWhateverElseHasThatColourToo) {
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(qRgb(9, 9, 9));
    image.setPixel(0, 2, qRgb(1, 2, 3));
    image.setPixel(3, 0, qRgb(1, 2, 3));
    image.setPixel(0, 0, qRgb(1, 2, 4));
    const QImage keyed = KeyedPicture(image);
    EXPECT_EQ(qAlpha(keyed.pixel(0, 2)), 0);
    EXPECT_EQ(qAlpha(keyed.pixel(3, 0)), 0);
    EXPECT_EQ(keyed.pixel(0, 0), qRgb(1, 2, 4));
    EXPECT_EQ(keyed.pixel(2, 1), qRgb(9, 9, 9));
    EXPECT_EQ(KeyedPicture(QImage()).size(), QSize(0, 0));
}

TEST(ImageButton, AClickIsAPressAndReleaseOnTheButton) {
    QWidget panel;
    panel.resize(100, 100);
    tMyButton button(&panel);
    button.setGeometry(0, 0, 31, 30);
    panel.show();
    QSignalSpy clicks(&button, &tMyButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(15, 15));
    EXPECT_EQ(clicks.count(), 1);
    QTest::mouseClick(&button, Qt::RightButton, {}, QPoint(15, 15));
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(15, 15));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(60, 60));
    EXPECT_EQ(clicks.count(), 1) << "released off the button";
}

TEST(ImageButton, CreateImageButtonPlacesTheBuiltInPicturesWithTheirHint) {
    QWidget panel;
    panel.resize(200, 200);
    tMyButton* button = CreateImageButton(&panel, 4, 400 - 300, 31, 30, "About", "AboutS", "About project");
    EXPECT_EQ(button->parentWidget(), &panel);
    EXPECT_EQ(button->geometry(), QRect(4, 100, 31, 30));
    EXPECT_EQ(button->Hint(), "About project");
    EXPECT_EQ(button->toolTip(), "About project");
    EXPECT_EQ(button->NormalBitmap(), LoadResourceBitmap("About"));
    EXPECT_EQ(button->HoverBitmap(), LoadResourceBitmap("AboutS"));
    EXPECT_EQ(button->Picture(), KeyedPicture(LoadResourceBitmap("About"))) << "shows the normal picture";

    tMyButton* quiet = CreateImageButton(&panel, 0, 0, 22, 21, "LogInB", "LogInBS", "");
    EXPECT_TRUE(quiet->toolTip().isEmpty());
}
