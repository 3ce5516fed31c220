// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What may be typed into the player box: only what users.dat can hold (a letter the code page has no room
// for is refused with a hint that says why), and a name only as long as the box shows it whole. A refused
// change leaves the text and the cursor as they were. The length limit stops typing only: a name picked from
// the list is never cut, and deleting is always allowed.

#include <QObject>
#include <QString>

#include <limits>

class QComboBox;
class QWidget;
class tNameHint;

class tNameCheck : public QObject {
public:
    // Lives as long as the box. The width limit is measured in the font of measure (the box's label).
    tNameCheck(QComboBox* box, const QWidget& measure);

private:
    void Changed(const QString& text);

    QComboBox* box_;
    const QWidget& measure_;
    // On the box's page, which owns it.
    tNameHint* hint_;
    QString lastGood_;
    // The longest a typed name may grow, in characters.
    qsizetype limit_ = std::numeric_limits<int>::max();
};
