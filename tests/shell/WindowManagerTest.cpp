// SPDX-License-Identifier: GPL-3.0-or-later
// The window on a desktop: a virtual display of 1280 x 1024 with a window manager managing it
// (tests/support/with-window-manager.sh), the player's clicks and keys sent through the display's XTest.
#include "FormFixture.h"

#include "engine/uGame.h"

#include <QApplication>
#include <QGraphicsView>
#include <QLabel>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cstdio>
#include <functional>
#include <set>

namespace {

class tDisplay {
public:
    tDisplay() : display_(XOpenDisplay(nullptr)) {}
    ~tDisplay() {
        if (display_ != nullptr)
            XCloseDisplay(display_);
    }
    tDisplay(const tDisplay&) = delete;
    tDisplay& operator=(const tDisplay&) = delete;
    bool Open() const { return display_ != nullptr; }

    // Two clicks of the left button in a row, as a person double-clicks.
    void DoubleClick(QPoint at) {
        XTestFakeMotionEvent(display_, -1, at.x(), at.y(), 0);
        for (int click = 0; click < 2; ++click) {
            XTestFakeButtonEvent(display_, 1, True, 0);
            XTestFakeButtonEvent(display_, 1, False, 0);
        }
        XFlush(display_);
    }
    void Key(KeySym key) {
        const KeyCode code = XKeysymToKeycode(display_, key);
        XTestFakeKeyEvent(display_, code, True, 0);
        XTestFakeKeyEvent(display_, code, False, 0);
        XFlush(display_);
    }

private:
    Display* display_;
};

bool WaitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 200 && !done(); ++i)
        QTest::qWait(25);
    return done();
}

// The colours of a picture's pixels inside a rectangle.
std::set<QRgb> Colours(const QImage& image, QRect area) {
    std::set<QRgb> colours;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            colours.insert(image.pixel(x, y));
    return colours;
}

} // namespace

using WindowManager = FormFixture;

TEST_F(WindowManager, MaximizingFromTheTitleBarScalesThePictureCrisplyAndTheGamePlaysOn) {
    tDisplay display;
    ASSERT_TRUE(display.Open());
    Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    ASSERT_TRUE(WaitFor([&] { return form->frameGeometry().top() < form->geometry().top(); }))
        << "the window has no title bar";
    LogIn("Max");
    ASSERT_EQ(form->size(), QSize(640, 480));
    const QImage plain = form->grab().toImage();
    const QRect picture(Find<QLabel>("iGame")->mapTo(form.get(), QPoint()), Find<QLabel>("iGame")->size());

    // The window manager maximises the window on a double click on its title bar.
    const QRect frame = form->frameGeometry();
    display.DoubleClick({frame.center().x(), (frame.top() + form->geometry().top()) / 2});
    ASSERT_TRUE(WaitFor([&] { return form->width() > 1200 && form->height() > 900; }))
        << form->width() << " x " << form->height();
    QApplication::processEvents();
    EXPECT_FALSE(form->FullScreen());
    const QImage grown = form->grab().toImage();
    ASSERT_EQ(grown.size(), form->size());
    const double scale = std::min(grown.width() / 640.0, grown.height() / 480.0);
    std::printf("maximised to %d x %d: the picture at %.3f times its size\n", grown.width(), grown.height(),
                scale);
    // The client fills the window's width or height, its edge touching the window's, as in full screen.
    const QPoint edge = grown.width() / 640.0 <= grown.height() / 480.0
                            ? QPoint(grown.width() - 1, grown.height() / 2)
                            : QPoint(grown.width() / 2, grown.height() - 1);
    EXPECT_EQ(grown.pixelColor(edge).name(), "#852229");
    // Bitmaps are enlarged without smoothing: no colour appears that the picture at its own size lacks.
    const QPointF origin((grown.width() - 640 * scale) / 2, (grown.height() - 480 * scale) / 2);
    const QRect enlarged((origin + QPointF(picture.topLeft()) * scale).toPoint() + QPoint(2, 2),
                         (QSizeF(picture.size()) * scale).toSize() - QSize(4, 4));
    const std::set<QRgb> own = Colours(plain, picture);
    for (const QRgb colour : Colours(grown, enlarged))
        EXPECT_TRUE(own.count(colour)) << QColor(colour).name().toStdString();

    // Keys reach the game in the grown window.
    display.Key(XK_F2);
    EXPECT_TRUE(WaitFor([&] { return form->Glass()->Playing(); }));

    // A second double click gives the window back its own size, the client drawn unscaled again.
    const QRect grownFrame = form->frameGeometry();
    display.DoubleClick({grownFrame.center().x(), (grownFrame.top() + form->geometry().top()) / 2});
    ASSERT_TRUE(WaitFor([&] { return form->size() == QSize(640, 480); })) << form->width();
    QApplication::processEvents();
    EXPECT_EQ(form->findChild<QGraphicsView*>(), nullptr);
    EXPECT_EQ(form->grab().toImage().copy(picture), plain.copy(picture));
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
