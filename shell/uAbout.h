// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The about panel over the log-in view: version, contacts, thanks and a picture. Its texts are fixed; they do
// not follow the language.

#include "platform/uBuild.h"

#include <QFrame>

class QLabel;
class QScrollArea;
class tMyButton;

inline constexpr const char* kDateLine = "(11 december 2004)";

// The two links, as the shell is asked to open them.
inline constexpr const char* kHomePage = "https://stakkar.example.org/";
inline constexpr const char* kEMail = "stakkar@example.org";

class TAboutPanel : public QFrame {
    Q_OBJECT
public:
    // 630 x 470 at (5, 5) of the main window, hidden until iAboutClick.
    explicit TAboutPanel(QWidget* mainWindow);

    void iAboutClick();
    void iAboutCloseClick();
    // The home page and e-mail links.
    void Label12Click();
    void Label13Click();

    QLabel* lTitle = nullptr;
    QLabel* lVersion = nullptr;
    QLabel* lDate = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* iPhoto = nullptr;
    QScrollArea* sbThanks = nullptr;
    QLabel* lThanks = nullptr;
    tMyButton* iAboutClose = nullptr;

signals:
    // The close button closed the panel.
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* AddLine(const QString& text, int top, bool bold = false);
    QLabel* AddRow(const QString& heading, const QString& value, int top);
};
