// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The hint that tells why a letter typed into the player box was refused. It is a part of the page, not a
// window of its own, so it stands beside the box inside the window whatever the window's size, place, scale
// or full-screen view; it is drawn as the skin draws its hints.

#include <QLabel>
#include <QTimer>

class tNameHint : public QLabel {
public:
    // Lives on the box's page.
    explicit tNameHint(QWidget* box);

    // Shows the text under the box, wrapped to fit the page, for a while.
    void ShowText(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* box_;
    QTimer hide_;
};
