// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/uMessageBox.h"

#include "look/uLang.h"
#include "look/uSkin.h"
#include "platform/uBitmap.h"
#include "platform/uCodePage.h"
#include "widgets/uFlatStyle.h"
#include "widgets/uOther.h"

#include <QColor>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <utility>

namespace {

QPointer<TfMessageBox>& Box() {
    static QPointer<TfMessageBox> box;
    return box;
}

} // namespace

QString MessageDisplayText(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\n' || c == u'\r') {
            shown += u'\n';
            const QChar pair = c == u'\n' ? u'\r' : u'\n';
            if (i + 1 < text.size() && text[i + 1] == pair) {
                ++i;
            }
        } else {
            shown += c;
        }
    }
    return shown;
}

TfMessageBox::TfMessageBox(QWidget* mainWindow) : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName("fMessageBox");
    setFixedSize(440, 70);
    setModal(true);
    setFocusPolicy(Qt::StrongFocus);

    pMessageBox = new QFrame(this);
    pMessageBox->setObjectName("pMessageBox");
    pMessageBox->setGeometry(5, 5, 430, 60);
    QFont font("Verdana");
    font.setPointSize(8);
    pMessageBox->setFont(font);

    lMessage = new QLabel(pMessageBox);
    lMessage->setObjectName("lMessage");
    lMessage->setGeometry(1, 6, 389, 48);
    lMessage->setAlignment(Qt::AlignCenter);
    lMessage->setWordWrap(true);
    // A player's name is shown as typed, never as markup.
    lMessage->setTextFormat(Qt::PlainText);
    // A path or an address in a message is there to be copied.
    lMessage->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lMessage->setText("Message Text");

    const QString& closeHint = LangText("s0000");
    iMessageClose = CreateImageButton(pMessageBox, 394, 15, 31, 30, "Exit", "ExitS",
                                      closeHint.isEmpty() ? QString("Close") : closeHint);
    connect(iMessageClose, &tMyButton::clicked, this, &TfMessageBox::iMessageCloseClick);

    SetColors(SkinSettings.MessageBox.clrPanel, SkinSettings.MessageBox.clrBorder,
              SkinSettings.MessageBox.clrText);
    languageTarget_ = AddLanguageTarget([this] {
        if (!LangText("s0000").isEmpty()) {
            iMessageClose->SetHint(LangText("s0000"));
        }
    });
}

TfMessageBox::~TfMessageBox() {}

void TfMessageBox::SetColors(uint32_t panel, uint32_t border, uint32_t text) {
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(ColorToRgb(panel)));
    setPalette(p);
    setAutoFillBackground(true);
    SetFlatPanelColors(pMessageBox, QColor(ColorToRgb(panel)), QColor(ColorToRgb(border)));
    QPalette label = lMessage->palette();
    label.setColor(QPalette::WindowText, QColor(ColorToRgb(text)));
    lMessage->setPalette(label);
}

void TfMessageBox::CenterOnMainWindow() {
    const QWidget* mainWindow = parentWidget() ? parentWidget()->window() : nullptr;
    QRect area;
    if (mainWindow && mainWindow->isVisible()) {
        area = mainWindow->frameGeometry();
    } else if (const QScreen* screen = mainWindow ? mainWindow->screen() : QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    QRect placed(QPoint(), size());
    placed.moveCenter(area.center());
    move(placed.topLeft());
}

void TfMessageBox::ShowText(const QString& text) {
    lMessage->setText(MessageDisplayText(text));
    CenterOnMainWindow();
    exec();
}

void TfMessageBox::iMessageCloseClick() {
    accept();
}

bool TfMessageBox::event(QEvent* e) {
    switch (e->type()) {
    case QEvent::ShortcutOverride:
        // Claim every key so that no shortcut of the main window fires behind the box.
        e->accept();
        return true;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            iMessageCloseClick();
        }
        return true;
    }
    case QEvent::KeyRelease:
        return true;
    default:
        return QDialog::event(e);
    }
}

TfMessageBox* CreateMessageBox(QWidget* mainWindow) {
    delete Box().data();
    Box() = new TfMessageBox(mainWindow);
    return Box();
}

TfMessageBox* MessageBoxWindow() {
    if (!Box()) {
        Box() = new TfMessageBox(nullptr);
    }
    return Box();
}

void PresentInMessageBox(const QString& text) {
    TfMessageBox* box = MessageBoxWindow();
    if (box->isVisible()) {
        // A message raised while another is open (a timer fired behind it) gets a box of its own rather than
        // replacing the text the player is reading.
        TfMessageBox second(box->parentWidget());
        second.ShowText(text);
        return;
    }
    box->ShowText(text);
}
