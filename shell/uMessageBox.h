// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The message box: a modal box with the text and a close button, the presenter of the program's messages.

#include "platform/uSubscription.h"
#include <QDialog>
#include <cstdint>
#include <string>

class QFrame;
class QLabel;
class tMyButton;

// Shows the text and returns when the player has closed the box. Timers keep running meanwhile. This is what
// the program installs as its message presenter.
void PresentInMessageBox(const QString& text);

// Frameless 440 x 70, centred on the main window (on the screen while there is none). Enter, Escape and the
// close button close it; every other key is swallowed, so focus never moves inside it.
class TfMessageBox : public QDialog {
    Q_OBJECT
public:
    explicit TfMessageBox(QWidget* mainWindow = nullptr);
    ~TfMessageBox() override;

    // Sets the text, centres the box and runs it modally.
    void ShowText(const QString& text);
    void iMessageCloseClick();
    // The skin's colours: the form, the panel's border, the text.
    void SetColors(uint32_t panel, uint32_t border, uint32_t text);
    void CenterOnMainWindow();

    QFrame* pMessageBox = nullptr;
    QLabel* lMessage = nullptr;
    tMyButton* iMessageClose = nullptr;

protected:
    bool event(QEvent* e) override;

private:
    tSubscription languageTarget_;
};

// The box the program shows its messages in. CreateMessageBox makes it with the main window, which then owns
// it; without that it is made on first use.
TfMessageBox* CreateMessageBox(QWidget* mainWindow);
TfMessageBox* MessageBoxWindow();

// The text as the label shows it: the program's line breaks (LF CR, CR LF, lone CR) become one break each.
QString MessageDisplayText(const QString& text);
