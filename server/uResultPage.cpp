// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/uResultPage.h"

#include "platform/uCodePage.h"
#include "server/uPageAddresses.h"
#include "server/uPageParts.h"
#include "server/uScoreDates.h"

#include <array>

namespace {

// In the order of the field table.
constexpr std::array<const char*, kResultFieldCount> kLabels{
    "Name", "Level", "Score", "Start time", "Play time", "Start level", "Broken lines", "Figures", "Cleared"};

void AddRow(QString& body, const char* label) {
    body += QString("<tr><th>%1</th>").arg(label);
}

} // namespace

QByteArray ResultPage(const tScoreRecord& r, int64_t rank) {
    QString body = "<p><a href=\"/\">All tables</a></p><table id=\"result\"><tbody>";
    AddRow(body, "Table");
    AddLinkCell(body, TablePathOfRank(r.GameType, r.Difficulty, rank), TableName(r.GameType, r.Difficulty));
    body += "</tr>";
    AddRow(body, "Rank");
    AddCell(body, RankText(rank));
    body += "</tr>";
    const tResultValues values = ValuesOf(r.Entry);
    for (const tResultFieldSpec& f : kResultFields) {
        AddRow(body, kLabels[static_cast<size_t>(f.Field)]);
        const std::string& value = values[f.Field];
        if (f.Field == tResultField::Name) {
            AddLinkCell(body, PlayerPath(value), FromCodePage(value));
        } else if (f.Field == tResultField::StartTime) {
            AddCell(body, DateText(value));
        } else {
            AddCell(body, QString::fromStdString(value));
        }
        body += "</tr>";
    }
    return Page(QString("Stakkar result %1").arg(r.Id), body + "</tbody></table>");
}
