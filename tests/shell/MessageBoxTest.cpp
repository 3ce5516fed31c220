// SPDX-License-Identifier: GPL-3.0-or-later
#include "look/uLang.h"
#include "platform/uBitmap.h"
#include "platform/uMessage.h"
#include "shell/uMessageBox.h"
#include "widgets/uOther.h"

#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// Runs step on the modal box once it is up, from inside its own event loop; gives up after a while so that a
// box that never shows or never closes fails the test instead of hanging it.
void WhenModal(std::function<void(QWidget*)> step) {
    auto* poll = new QTimer;
    auto deadline = std::make_shared<int>(500);
    QObject::connect(poll, &QTimer::timeout, [poll, step, deadline] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal->isVisible()) {
            poll->stop();
            poll->deleteLater();
            step(modal);
            // A box the step failed to close is closed here, so the test fails instead of hanging.
            QTimer::singleShot(3000, modal, [modal] {
                if (modal->isVisible()) {
                    ADD_FAILURE() << "the message box stayed open";
                    modal->hide();
                    static_cast<QDialog*>(modal)->done(0);
                }
            });
        } else if (--*deadline == 0) {
            poll->stop();
            poll->deleteLater();
            ADD_FAILURE() << "the message box never showed";
        }
    });
    poll->start(10);
}

// The rows of an image that hold at least one pixel of the colour.
std::vector<int> RowsWith(const QImage& image, QRgb color) {
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF)) {
                rows.push_back(y);
                break;
            }
        }
    }
    return rows;
}

} // namespace

TEST(MessageBox, TheRealBoxSwallowsOtherKeysAndClosesOnEnterThenOnEscape) {
    LoadLanguageResource();
    LoadDefaultLanguage();
    ASSERT_FALSE(SetMessagePresenter(PresentInMessageBox));
    bool tabMovedNothing = false;
    bool stayedOpen = false;
    WhenModal([&](QWidget* box) {
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(box, Qt::Key_Tab);
        QTest::keyClick(box, Qt::Key_A);
        QTest::keyClick(box, Qt::Key_Space);
        QTest::keyClick(box, Qt::Key_F2);
        tabMovedNothing = QApplication::focusWidget() == focused;
        stayedOpen = box->isVisible();
        QTest::keyClick(box, Qt::Key_Return);
    });
    ShowMessageBox("First message");
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(tabMovedNothing);
    TfMessageBox* box = MessageBoxWindow();
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(box->lMessage->text(), "First message");

    WhenModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    ShowMessageBox("Second message");
    EXPECT_EQ(box->lMessage->text(), "Second message");
    EXPECT_EQ(MessageBoxWindow(), box) << "one box, reused";
    EXPECT_FALSE(box->isVisible());
    SetMessagePresenter({});
}

TEST(MessageBox, WithoutABoxInstalledAMessageGoesToTheLogAndNothingWaits) {
    std::vector<QString> logged;
    static std::vector<QString>* sink = nullptr;
    sink = &logged;
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { sink->push_back(text); });
    ShowMessageBox(QString::fromUtf8("Nobody ждет"));
    qInstallMessageHandler(previous);
    EXPECT_EQ(logged, std::vector<QString>{QString::fromUtf8("Nobody ждет")});
}

TEST(MessageBox, TheCloseButtonClosesItAndCarriesTheLanguagesHint) {
    LoadLanguageResource();
    LoadDefaultLanguage();
    TfMessageBox box;
    EXPECT_EQ(box.size(), QSize(440, 70));
    EXPECT_EQ(box.iMessageClose->geometry(), QRect(394, 15, 31, 30));
    EXPECT_EQ(box.iMessageClose->Hint(), "Close message");
    LanguageTable.texts[static_cast<size_t>(LanguageSlot("s0000"))] = "Zakryt";
    ApplyLanguage();
    EXPECT_EQ(box.iMessageClose->Hint(), "Zakryt");
    LoadDefaultLanguage();

    // Every key is claimed before shortcuts are looked up, so nothing behind the box reacts to it.
    for (const int key : {int(Qt::Key_F2), int(Qt::Key_Tab), int(Qt::Key_Escape)}) {
        QKeyEvent override(QEvent::ShortcutOverride, key, Qt::NoModifier);
        override.ignore();
        QApplication::sendEvent(&box, &override);
        EXPECT_TRUE(override.isAccepted()) << key;
    }

    bool wasOpen = false;
    WhenModal([&](QWidget* modal) {
        wasOpen = modal == &box;
        QTest::mouseClick(box.iMessageClose, Qt::LeftButton);
    });
    box.ShowText("Click to close");
    EXPECT_TRUE(wasOpen);
    EXPECT_FALSE(box.isVisible());
}

TEST(MessageBox, TheProgramsLineBreaksShowAsOneBreakEach) {
    EXPECT_EQ(MessageDisplayText("a\n\rb"), "a\nb");
    EXPECT_EQ(MessageDisplayText("a\r\nb\rc\nd"), "a\nb\nc\nd");
    EXPECT_EQ(MessageDisplayText("a\n\r\n\rb"), "a\n\nb");
    EXPECT_EQ(MessageDisplayText("plain"), "plain");
}

TEST(MessageBox, LongTextWrapsInsideTheLabelAndShortTextStaysCentred) {
    TfMessageBox box;
    box.SetColors(0x000000, 0x808080, 0xFFFFFF);
    const QPoint labelAt = box.lMessage->mapTo(&box, QPoint(0, 0));
    const QRect label(labelAt, box.lMessage->size());

    box.lMessage->setText("Short");
    std::vector<int> rows = RowsWith(box.grab().toImage().copy(label), qRgb(255, 255, 255));
    ASSERT_FALSE(rows.empty());
    const int middle = (rows.front() + rows.back()) / 2;
    EXPECT_NEAR(middle, label.height() / 2, 4);

    box.lMessage->setText(
        "A message much longer than one line of the box, so that its words go on a second line "
        "below the first one");
    const QImage shot = box.grab().toImage();
    rows = RowsWith(shot.copy(label), qRgb(255, 255, 255));
    ASSERT_FALSE(rows.empty());
    EXPECT_GT(rows.back() - rows.front(), box.lMessage->fontMetrics().height()) << "more than one line";
    // Nothing is drawn right of the label, where the close button stands.
    EXPECT_TRUE(
        RowsWith(shot.copy(label.right() + 1, label.top(), 3, label.height()), qRgb(255, 255, 255)).empty());
}

TEST(MessageBox, TakesTheSkinsColours) {
    TfMessageBox box;
    box.SetColors(0x0000FF, 0x00FF00, 0xFFFFFF);
    const QImage shot = box.grab().toImage();
    EXPECT_EQ(shot.pixel(2, 2) & 0xFFFFFF, ColorToRgb(0x0000FF) & 0xFFFFFF);
    EXPECT_EQ(shot.pixel(5, 30) & 0xFFFFFF, ColorToRgb(0x00FF00) & 0xFFFFFF) << "panel border";
    EXPECT_EQ(shot.pixel(100, 8) & 0xFFFFFF, ColorToRgb(0x0000FF) & 0xFFFFFF) << "panel face";
}

TEST(MessageBox, OpensCentredOnTheMainWindowOrElseOnTheScreen) {
    QWidget mainWindow;
    mainWindow.setGeometry(100, 120, 640, 480);
    mainWindow.show();
    TfMessageBox* box = CreateMessageBox(&mainWindow);
    box->CenterOnMainWindow();
    EXPECT_EQ(box->frameGeometry().center(), mainWindow.frameGeometry().center());

    TfMessageBox alone;
    alone.CenterOnMainWindow();
    EXPECT_EQ(alone.frameGeometry().center(), QGuiApplication::primaryScreen()->availableGeometry().center());
}
