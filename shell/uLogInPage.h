// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The log-in view: the game's title and picture, the player box with the players users.dat holds, a warning
// and the credits, and the buttons that log in, tell about the game and leave it. What a log-in does is the
// session's business; the page tells it by its signals.

#include "platform/uSubscription.h"

#include <QFrame>
#include <QStringList>

class QComboBox;
class QLabel;
class tMyButton;

class TLogInPage : public QFrame {
    Q_OBJECT
public:
    // pLogIn: 630 x 470 at (5, 5) of the window's client.
    explicit TLogInPage(QWidget* client);

    // The name in the player box as it is typed.
    QString Typed() const;
    // The box lists these players and keeps what is typed.
    void FillUserList(const QStringList& names);
    // A fresh start after a log-out: the box empty, listing these players and taking the keys.
    void StartOver(const QStringList& names);

signals:
    // The log-in button, or Enter in the player box.
    void logInClicked();
    void aboutClicked();
    void exitClicked();

private:
    // The texts of the language in use.
    void ApplyTexts();

    QComboBox* cbUsers = nullptr;
    QLabel* userName = nullptr;
    QLabel* warning = nullptr;
    QLabel* beta = nullptr;
    tMyButton* logIn = nullptr;
    tMyButton* about = nullptr;
    tMyButton* exit = nullptr;
    tSubscription languageTarget_;
};
