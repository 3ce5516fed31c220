// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/uScoreJson.h"

#include "platform/uCodePage.h"
#include "server/uScorePages.h"

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

QByteArray TableJson(std::string_view gameType, std::string_view difficulty,
                     const std::vector<tScoreRecord>& best) {
    QJsonArray results;
    for (size_t i = 0; i < best.size(); ++i) {
        const tResultRecord& e = best[i].Entry;
        QJsonObject result{
            {"rank", static_cast<qint64>(i + 1)},
            {"date", DateText(e.StartTime)},
        };
        const tResultValues values = ValuesOf(e);
        for (const tResultFieldSpec& f : kResultFields) {
            result.insert(Utf8(f.JsonKey), JsonValue(f.Form, values[f.Field]));
        }
        results.append(result);
    }
    const QJsonObject table{
        {"game_type", Utf8(gameType)},
        {"difficulty", Utf8(difficulty)},
        {"results", results},
    };
    return QJsonDocument(table).toJson(QJsonDocument::Compact);
}
