// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/uScoreJson.h"

#include "platform/uCodePage.h"
#include "server/uScorePages.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

QByteArray TableJson(std::string_view gameType, std::string_view difficulty,
                     const std::vector<tScoreRecord>& best) {
    QJsonArray results;
    for (size_t i = 0; i < best.size(); ++i) {
        const tScoreRecord& r = best[i];
        results.append(QJsonObject{
            {"rank", static_cast<qint64>(i + 1)},
            {"name", FromCodePage(r.Entry.Name)},
            {"level", r.Entry.Level},
            {"score", r.Entry.Score},
            {"date", DateText(r.Entry.StartTime)},
            {"start_time", QString::fromStdString(r.Entry.StartTime)},
            {"play_time", QString::fromStdString(r.Entry.PlayTime)},
            {"start_level", QString::fromStdString(r.Entry.StartLevel).toInt()},
            {"broken_lines", QString::fromStdString(r.Entry.BrokenLines).toInt()},
            {"figures", QString::fromStdString(r.Entry.Figures)},
            {"cleared", QString::fromStdString(r.Entry.Cleared)},
        });
    }
    const QJsonObject table{
        {"game_type", QString::fromUtf8(gameType.data(), static_cast<qsizetype>(gameType.size()))},
        {"difficulty", QString::fromUtf8(difficulty.data(), static_cast<qsizetype>(difficulty.size()))},
        {"results", results},
    };
    return QJsonDocument(table).toJson(QJsonDocument::Compact);
}
