// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/pages/uResultPage.h"

#include "platform/uCodePage.h"
#include "server/check/uWellPicture.h"
#include "server/pages/uPageAddresses.h"
#include "server/pages/uPageParts.h"
#include "server/pages/uScoreDates.h"
#include "server/pages/uViewerFiles.h"

#include <array>

namespace {

// In the order of the field table.
constexpr std::array<const char*, kResultFieldCount> kLabels{
    "Name", "Level", "Score", "Start time", "Play time", "Start level", "Broken lines", "Figures", "Cleared"};

// The game played again on a canvas by the viewer's script, which shows this part once it runs; without
// script the page stays as it is without the viewer.
QString WatchPart(int64_t id) {
    // The browser fetches what the script will ask for while it still reads the page.
    QString early =
        QString("<link rel=\"preload\" href=\"%1\" as=\"fetch\" crossorigin>").arg(Escaped(ReplayPath(id)));
    for (const QString& address : ViewerFetchedAddresses()) {
        early += QString("<link rel=\"preload\" href=\"%1\" as=\"fetch\" crossorigin>").arg(Escaped(address));
    }
    QString speeds;
    for (const int speed : {1, 2, 4, 8}) {
        speeds += QString("<button type=\"button\" data-speed=\"%1\" aria-pressed=\"%2\">x%1</button>")
                      .arg(speed)
                      .arg(speed == 1 ? "true" : "false");
    }
    return early +
           QString(
               "<section id=\"watch\" hidden data-replay=\"%1\" data-files=\"/viewer/\" "
               "data-version=\"%2\"><h2>Watch the game</h2>"
               "<div style=\"display:flex;gap:1em;flex-wrap:wrap;align-items:flex-start\">"
               "<canvas id=\"watch-well\" width=\"200\" height=\"400\" aria-label=\"The well\"></canvas>"
               "<div><canvas id=\"watch-next\" width=\"80\" height=\"80\" aria-label=\"The next figure\">"
               "</canvas><table id=\"watch-counters\"><tbody>"
               "<tr><th>Score</th><td class=\"n\" id=\"watch-score\">0</td></tr>"
               "<tr><th>Level</th><td class=\"n\" id=\"watch-level\">1</td></tr>"
               "<tr><th>Figures</th><td class=\"n\" id=\"watch-figures\">0</td></tr>"
               "<tr><th>Rows</th><td class=\"n\" id=\"watch-rows\">0</td></tr>"
               "<tr><th>Time</th><td class=\"n\" id=\"watch-clock\">0:00</td></tr>"
               "</tbody></table><p id=\"watch-message\"></p></div></div>"
               "<p><button type=\"button\" id=\"watch-play\">Play</button> %3 "
               "<input id=\"watch-moment\" type=\"range\" min=\"0\" max=\"0\" step=\"1\" value=\"0\" "
               "aria-label=\"Moment of the game\" style=\"width:16em;max-width:100%\"></p>"
               "<p>Space plays and pauses, the left and right arrows go back and on 5 seconds, Home and End "
               "go to the start and the end, + and - change the speed.</p>"
               "<p id=\"watch-problem\" hidden></p></section>"
               "<script src=\"%4\" integrity=\"%5\" defer></script>")
               .arg(Escaped(ReplayPath(id)), QString::fromStdString(ViewerVersion()), speeds,
                    Escaped(ViewerScriptAddress()), ViewerScriptHash());
}

void AddRow(QString& body, const char* label) {
    body += QString("<tr><th>%1</th>").arg(label);
}

} // namespace

QByteArray ResultPage(const tScoreRecord& r, int64_t rank, std::string_view finalWell, bool watch) {
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
    if (watch) {
        body += WatchPart(r.Id);
    }
    body += QString("<p><a id=\"replay\" href=\"%1\" download>Download the replay</a> (watch it with "
                    "<code>stakkar --replay FILE</code>)</p>")
                .arg(Escaped(ReplayPath(r.Id)));
    return Page(QString("Stakkar result %1").arg(r.Id), body);
}
