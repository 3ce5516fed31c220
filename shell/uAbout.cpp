// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/uAbout.h"

#include "engine/uOpenForPlayer.h"
#include "look/uSkin.h"
#include "platform/uBitmap.h"
#include "platform/uResource.h"
#include "widgets/uCrispPixmap.h"
#include "widgets/uOther.h"

#include <QColor>
#include <QEvent>
#include <QMouseEvent>
#include <QScrollArea>

#include <algorithm>

namespace {

// The text column on the left; the picture stands to its right.
constexpr int kColumnLeft = 8;
constexpr int kColumnWidth = 380;
constexpr int kLineHeight = 16;
// Row headings end at the right edge of a 120-pixel column; values start at 137.
constexpr int kHeadingLeft = 12;
constexpr int kHeadingWidth = 120;
constexpr int kValueLeft = 137;
constexpr int kPhotoLeft = 400;
constexpr int kPhotoTop = 45;

const char* const kCredits = "Written in C++ with Qt and zlib by the Stakkar project";
const char* const kThanks = "for help :\n"
                            "the Qt project\n"
                            "the zlib project\n"
                            "the GoogleTest project\n"
                            "\n"
                            "for ideas :\n"
                            "every falling-block game before this one\n"
                            "\n"
                            "for testing :\n"
                            "everyone who plays and reports a fault";

QFont VerdanaPixels(int pixels, bool bold) {
    QFont font("Verdana");
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

TAboutPanel::TAboutPanel(QWidget* mainWindow) : QFrame(mainWindow) {
    setObjectName("pAbout");
    setGeometry(5, 5, 630, 470);
    setStyleSheet(QString("QFrame#pAbout { background-color: %1; border: 1px solid %2; }"
                          "QLabel { color: %3; background: transparent; border: none; }")
                      .arg(QColor(ColorToRgb(SkinSettings.Common.clrPanel)).name(),
                           QColor(ColorToRgb(SkinSettings.Common.clrBorder)).name(),
                           QColor(ColorToRgb(SkinSettings.Common.clrText)).name()));

    lTitle = new QLabel(":: About project ::", this);
    QFont titleFont("Courier New");
    titleFont.setPixelSize(23);
    titleFont.setBold(true);
    lTitle->setFont(titleFont);
    lTitle->setAlignment(Qt::AlignCenter);
    lTitle->setGeometry(0, 6, width(), 28);

    lVersion = AddLine(kVersionLine, 40, true);
    lDate = AddLine(kDateLine, 56);
    AddLine(kCredits, 72);

    AddLine(":: FeedBack ::", 96, true);
    Label12 = AddRow("HomePage :", kHomePage, 112);
    Label13 = AddRow("E-Mail :", kEMail, 128);
    AddRow("ICQ :", "none", 144);
    AddRow("FidoNet :", "none", 160);
    for (QLabel* link : {Label12, Label13}) {
        link->setCursor(Qt::PointingHandCursor);
        link->installEventFilter(this);
        QFont font = link->font();
        font.setUnderline(true);
        link->setFont(font);
    }

    AddLine(":: Donate ::", 184, true);
    AddRow("Payment :", "none - Stakkar is free", 200);

    AddLine(":: Thanks ::", 224, true);
    sbThanks = new QScrollArea(this);
    sbThanks->setGeometry(kColumnLeft + (kColumnWidth - 349) / 2, 240, 349, 222);
    sbThanks->setFrameShape(QFrame::NoFrame);
    sbThanks->setStyleSheet("background: transparent;");
    lThanks = new QLabel(kThanks);
    lThanks->setFont(VerdanaPixels(13, false));
    lThanks->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lThanks->setTextFormat(Qt::PlainText);
    sbThanks->setWidget(lThanks);
    sbThanks->setWidgetResizable(true);

    iPhoto = new QLabel(this);
    const QImage photo = LoadResourceBitmap("Photo");
    iPhoto->setGeometry(kPhotoLeft, kPhotoTop, std::min(photo.width(), width() - kPhotoLeft - 10),
                        std::min(photo.height(), 380));
    SetCrispPixmap(iPhoto, photo);
    iPhoto->setToolTip("Stakkar");

    iAboutClose = CreateImageButton(this, 594, 434, 31, 30, "Exit", "ExitS", "Close");
    connect(iAboutClose, &tMyButton::clicked, this, &TAboutPanel::iAboutCloseClick);
    hide();
}

QLabel* TAboutPanel::AddLine(const QString& text, int top, bool bold) {
    auto* label = new QLabel(text, this);
    label->setFont(VerdanaPixels(13, bold));
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(kColumnLeft, top, kColumnWidth, kLineHeight);
    return label;
}

QLabel* TAboutPanel::AddRow(const QString& heading, const QString& value, int top) {
    auto* left = new QLabel(heading, this);
    left->setFont(VerdanaPixels(13, false));
    left->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    left->setGeometry(kHeadingLeft, top, kHeadingWidth, kLineHeight);
    auto* right = new QLabel(value, this);
    right->setFont(VerdanaPixels(13, false));
    right->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    right->setGeometry(kValueLeft, top, kColumnLeft + kColumnWidth - kValueLeft, kLineHeight);
    return right;
}

void TAboutPanel::iAboutClick() {
    show();
    raise();
}

void TAboutPanel::iAboutCloseClick() {
    hide();
    lower();
    emit closed();
}

void TAboutPanel::Label12Click() {
    OpenForPlayer(kHomePage);
}

void TAboutPanel::Label13Click() {
    OpenForPlayer(std::string("mailto:") + kEMail);
}

bool TAboutPanel::eventFilter(QObject* watched, QEvent* event) {
    // A click is a release of the left button over the link; a press dragged off it and let go opens nothing.
    // The press is taken so that the release comes back here through a full-screen view too.
    if (event->type() == QEvent::MouseButtonPress && (watched == Label12 || watched == Label13) &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease && watched->isWidgetType() &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        static_cast<QWidget*>(watched)->rect().contains(
            static_cast<QMouseEvent*>(event)->position().toPoint())) {
        if (watched == Label12) {
            Label12Click();
            return true;
        }
        if (watched == Label13) {
            Label13Click();
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}
