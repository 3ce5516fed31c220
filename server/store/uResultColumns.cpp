// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/store/uResultColumns.h"

#include <QVariant>

namespace {

std::string FieldText(tResultForm form, const QVariant& value) {
    return form == tResultForm::CodePageText ? value.toByteArray().toStdString()
                                             : value.toString().toStdString();
}

int32_t StoredNumber(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toInt();
}

} // namespace

tScoreRecord RecordAt(const QSqlQuery& query, int first, std::string gameType, std::string difficulty) {
    tResultValues values;
    for (size_t i = 0; i < kResultFields.size(); ++i) {
        values[kResultFields[i].Field] =
            FieldText(kResultFields[i].Form, query.value(first + static_cast<int>(i)));
    }
    tScoreRecord r;
    r.GameType = std::move(gameType);
    r.Difficulty = std::move(difficulty);
    r.Entry = RecordOf(values, StoredNumber);
    r.StartMs = query.value(first + static_cast<int>(kResultFields.size())).toLongLong();
    return r;
}
