// SPDX-License-Identifier: GPL-3.0-or-later
// The window on a desktop: a virtual display of 1280 x 1024 with a window manager managing it
// (tests/support/with-window-manager.sh), the player's clicks and keys sent through the display's XTest.
#include "FormFixture.h"

#include "engine/uGame.h"
#include "storage/uPackIni.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGraphicsView>
#include <QLabel>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cstdio>
#include <fstream>
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
        KeyDown(key, true);
        KeyDown(key, false);
    }
    // A key pressed (down) or let go; the display's own repeat runs meanwhile as a desktop's does.
    void KeyDown(KeySym key, bool down) {
        XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, key), down ? True : False, 0);
        XFlush(display_);
    }

private:
    Display* display_;
};

bool WaitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 400 && !done(); ++i)
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

TEST_F(WindowManager, AHeldKeyRepeatsAtThePlayersDelayAndRateAndTheDesktopsRepeatIsIgnored) {
    tDisplay display;
    ASSERT_TRUE(display.Open());
    std::ofstream(dir_.filePath("users.dat").toStdString(), std::ios::binary);
    {
        tStringListPackedINI users;
        users.WriteString("Rita", "RepeatDelay", "200");
        users.WriteString("Rita", "RepeatRate", "20");
        users.SaveCompressedFile(dir_.filePath("users.dat").toStdString());
    }
    Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    LogIn("Rita");
    form->activateWindow();
    ASSERT_TRUE(WaitFor([&] { return form->isActiveWindow(); }));
    display.Key(XK_F2);
    ASSERT_TRUE(WaitFor([&] { return form->Glass()->Playing(); }));
    // The first figure comes with the first tick.
    ASSERT_TRUE(WaitFor([&] { return form->Glass()->Falling(); }));
    const auto rotations = [&] {
        int n = 0;
        for (const tRecordedPress& press : form->Glass()->Model().Record().Presses)
            n += press.Actions == ActionBit(tAction::RotateRight) ? 1 : 0;
        return n;
    };
    // Held for a second: the press, then a repeat 200 ms after it and every 50 ms from there.
    QElapsedTimer held;
    display.KeyDown(XK_Up, true);
    held.start();
    QTest::qWait(1000);
    display.KeyDown(XK_Up, false);
    const qint64 heldMs = held.elapsed();
    QTest::qWait(200);
    const int expected = 1 + 1 + static_cast<int>((heldMs - 200) / 50);
    std::printf("held %lld ms: %d rotations, %d at the player's rate\n", static_cast<long long>(heldMs),
                rotations(), expected);
    EXPECT_NEAR(rotations(), expected, 2);
    // Let go, the key repeats no more.
    const int after = rotations();
    QTest::qWait(300);
    EXPECT_EQ(rotations(), after);
    // Every repeat is a press of the record, none before its time: the delay after the press, then one
    // interval after another.
    const auto& presses = form->Glass()->Model().Record().Presses;
    for (size_t i = 1; i < presses.size(); ++i)
        EXPECT_GE(presses[i].TimeMs - presses[0].TimeMs, 200 + 50 * static_cast<int64_t>(i - 1) - 2) << i;
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
