// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/pages/uResultPage.h"

#include "platform/uCodePage.h"
#include "server/check/uWellPicture.h"
#include "server/pages/uPageAddresses.h"
#include "server/pages/uPageParts.h"
#include "server/pages/uScoreDates.h"

#include <array>

namespace {

// In the order of the field table.
constexpr std::array<const char*, kResultFieldCount> kLabels{
    "Name", "Level", "Score", "Start time", "Play time", "Start level", "Broken lines", "Figures", "Cleared"};

void AddRow(QString& body, const char* label) {
    body += QString("<tr><th>%1</th>").arg(label);
}

} // namespace

QByteArray ResultPage(const tScoreRecord& r, int64_t rank, std::string_view finalWell) {
    QString body = "<p><a href=\"/\">All tables</a></p><div class=\"wide\"><table id=\"result\"><tbody>";
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
    body += "</tbody></table></div>";
    if (!r.Verified) {
        body += "<p id=\"verified\">Not verified: the server holds no replay of its game that it could play "
                "again at its times and that gave every field above.</p>";
        return Page(QString("Stakkar result %1").arg(r.Id), body);
    }
    body +=
        "<p id=\"verified\"><span class=\"verified\">&#10003;</span> Verified: the server played the "
        "recorded key presses again, at their times, under the game's rules, for this player's name, start "
        "time and settings, and got every field above. It cannot prove who or what pressed the keys.</p>";
    if (const QString well = WellSvg(finalWell); !well.isEmpty()) {
        body += "<figure>" + well +
                "<figcaption>The well at the end of the game, as the server's replay left it: the fixed "
                "blocks in blue, the figure that ended the game in red.</figcaption></figure>";
    }
    body += QString("<p><a id=\"replay\" href=\"%1\" download>Download the replay</a> (watch it with "
                    "<code>stakkar --replay FILE</code>)</p>")
                .arg(Escaped(ReplayPath(r.Id)));
    return Page(QString("Stakkar result %1").arg(r.Id), body);
}
