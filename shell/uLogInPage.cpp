// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/uLogInPage.h"

#include "look/uLang.h"
#include "look/uSkinSettings.h"
#include "platform/uBitmap.h"
#include "platform/uResource.h"
#include "shell/uNameCheck.h"
#include "shell/uPanelLook.h"
#include "widgets/uCrispPixmap.h"
#include "widgets/uOther.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {

const char* const kCredits = "Stakkar: a falling-block game written with Qt and zlib";

QLabel* Line(QWidget* parent, const QString& text, QRect place, bool bold = false) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(place);
    label->setFont(PanelFont(bold));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

TLogInPage::TLogInPage(QWidget* client) : QFrame(client) {
    setObjectName("pLogIn");
    setGeometry(5, 5, 630, 470);
    setFont(PanelFont(false));
    PaintPanel(this, skincolor::DarkRed);

    QLabel* title = Line(this, "Stakkar", QRect(0, 8, 630, 40));
    title->setObjectName("lTitle");
    QFont titleFont("Courier New");
    titleFont.setPixelSize(32);
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto* picture = new QLabel(this);
    picture->setObjectName("iLogIn");
    picture->setGeometry(100, 55, 300, 360);
    QImage drawn(300, 360, QImage::Format_RGB32);
    drawn.fill(Qt::black);
    DrawBitmap(drawn, 0, 0, tBitmap{LoadResourceBitmap("LoginBMP")});
    SetCrispPixmap(picture, drawn);

    userName = Line(this, QString(), QRect(444, 204, 130, 16), true);
    userName->setObjectName("lUserName");
    userName->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    cbUsers = new QComboBox(this);
    cbUsers->setObjectName("cbUsers");
    cbUsers->setEditable(true);
    cbUsers->setInsertPolicy(QComboBox::NoInsert);
    cbUsers->setGeometry(444, 224, 130, 21);
    new tNameCheck(cbUsers, *userName);
    // Enter in the player combo logs in. The combo hands the key to its line edit directly, past any event
    // filter, so the line edit's own signal is the place to hear it.
    connect(cbUsers->lineEdit(), &QLineEdit::returnPressed, this, &TLogInPage::logInClicked);

    warning = Line(this, QString(), QRect(410, 300, 215, 16), true);
    beta = Line(this, QString(), QRect(410, 318, 215, 32));
    beta->setWordWrap(true);
    Line(this, kCredits, QRect(40, 445, 590, 16));

    logIn = CreateImageButton(this, 572, 224, 22, 21, "LogInB", "LogInBS", QString());
    about = CreateImageButton(this, 4, 400, 31, 30, "About", "AboutS", QString());
    exit = CreateImageButton(this, 4, 435, 31, 30, "Exit", "ExitS", QString());
    logIn->setObjectName("bLogIn");
    about->setObjectName("iAbout");
    exit->setObjectName("iExit");
    connect(logIn, &tMyButton::clicked, this, &TLogInPage::logInClicked);
    connect(about, &tMyButton::clicked, this, &TLogInPage::aboutClicked);
    connect(exit, &tMyButton::clicked, this, &TLogInPage::exitClicked);
    // The language stays that of the player who logged in last, also once they have logged out.
    languageTarget_ = AddLanguageTarget([this] { ApplyTexts(); });
    ApplyTexts();
}

void TLogInPage::ApplyTexts() {
    userName->setText(LangText("s3004"));
    cbUsers->setToolTip(LangText("s3009"));
    warning->setText(LangText("s3007"));
    beta->setText(LangText("s3008"));
    logIn->SetHint(LangText("s3005"));
    about->SetHint(LangText("s3006"));
    exit->SetHint(LangText("s3003"));
}

QString TLogInPage::Typed() const {
    return cbUsers->currentText();
}

void TLogInPage::FillUserList(const QStringList& names) {
    const QSignalBlocker quiet(cbUsers);
    const QString typed = cbUsers->currentText();
    cbUsers->clear();
    cbUsers->addItems(names);
    cbUsers->setCurrentIndex(-1);
    cbUsers->setEditText(typed);
}

void TLogInPage::StartOver(const QStringList& names) {
    // Heard by the name check, which starts over from the empty name too.
    cbUsers->setEditText(QString());
    FillUserList(names);
    cbUsers->setFocus();
}
