// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/uNameCheck.h"

#include "look/uLang.h"
#include "platform/uCodePage.h"
#include "shell/uNameHint.h"
#include "shell/uPlayers.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>

namespace {

// A typed name may grow one character past this width of the label's font.
constexpr int kNameWidthLimit = 100;

} // namespace

tNameCheck::tNameCheck(QComboBox* box, const QWidget& measure)
    : QObject(box), box_(box), measure_(measure), hint_(new tNameHint(box)) {
    connect(box_, &QComboBox::editTextChanged, this, &tNameCheck::Changed);
}

void tNameCheck::Changed(const QString& text) {
    // The line edit's own maximum length would also cut a name picked from the list.
    const bool grownPastLimit = text.size() > limit_ && text.size() > lastGood_.size() &&
                                box_->findText(text, Qt::MatchFixedString) < 0;
    if (!AcceptableNameText(text) || grownPastLimit) {
        if (!IsRepresentable(text)) {
            // Names are stored in the program's code page, which has no room for the letter just typed.
            hint_->ShowText(LangText("s0105"));
        }
        QLineEdit* edit = box_->lineEdit();
        const qsizetype cursor = edit->cursorPosition() - (text.size() - lastGood_.size());
        const QSignalBlocker quiet(box_);
        box_->setEditText(lastGood_);
        edit->setCursorPosition(static_cast<int>(std::clamp<qsizetype>(cursor, 0, lastGood_.size())));
        return;
    }
    lastGood_ = text;
    hint_->hide();
    const int limit = NameLengthLimit(text, measure_.font(), kNameWidthLimit);
    if (limit > 0)
        limit_ = limit;
}
