// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/pages/uScoreJson.h"

#include "platform/uCodePage.h"
#include "server/pages/uScoreDates.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QJsonValue JsonValue(tResultForm form, const std::string& text) {
    switch (form) {
    case tResultForm::CodePageText:
        return FromCodePage(text);
    case tResultForm::Number:
    case tResultForm::NumberText:
        return QString::fromStdString(text).toInt();
    case tResultForm::Text:
        break;
    }
    return QString::fromStdString(text);
}

} // namespace

QByteArray TableJson(const tTablePage& page) {
    QJsonArray results;
    int64_t rank = page.FirstRank();
    for (const tScoreRecord& r : page.Rows) {
        const tResultRecord& e = r.Entry;
        QJsonObject result{
            {"rank", static_cast<qint64>(rank++)},
            {"date", DateText(e.StartTime)},
            {"id", static_cast<qint64>(r.Id)},
            {"verified", r.Verified},
        };
        const tResultValues values = ValuesOf(e);
        for (const tResultFieldSpec& f : kResultFields) {
            result.insert(Utf8(f.JsonKey), JsonValue(f.Form, values[f.Field]));
        }
        results.append(result);
    }
    const QJsonObject table{
        {"game_type", Utf8(page.GameType)},         {"difficulty", Utf8(page.Difficulty)},
        {"page", static_cast<qint64>(page.Number)}, {"pages", static_cast<qint64>(page.Pages)},
        {"total", static_cast<qint64>(page.Total)}, {"results", results},
    };
    return QJsonDocument(table).toJson(QJsonDocument::Compact);
}
