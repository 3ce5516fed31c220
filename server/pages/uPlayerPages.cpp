// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/pages/uPlayerPages.h"

#include "platform/uCodePage.h"
#include "server/pages/uPageAddresses.h"
#include "server/pages/uPageParts.h"
#include "server/pages/uScoreDates.h"

QByteArray PlayerPage(std::string_view name, const std::vector<tPlayerResult>& results) {
    QString body =
        QString(
            "<p><a href=\"/\">All tables</a> &middot; %1</p>"
            "<div class=\"wide\"><table id=\"results\"><thead><tr><th>Table</th><th>Rank</th><th>Level</th>"
            "<th>Score</th><th>Date</th></tr></thead><tbody>")
            .arg(ResultsText(static_cast<int64_t>(results.size())));
    for (const auto& [r, rank] : results) {
        body += QLatin1String("<tr>");
        AddLinkCell(body, TablePathOfRank(r.GameType, r.Difficulty, rank),
                    TableName(r.GameType, r.Difficulty));
        AddLinkCell(body, ResultPath(r.Id), RankText(rank), true);
        AddCell(body, QString::number(r.Entry.Level), true);
        AddScoreCell(body, r.Entry.Score, r.Verified, r.Id);
        AddCell(body, DateText(r.Entry.StartTime));
        body += QLatin1String("</tr>");
    }
    return Page("Stakkar player " + Escaped(FromCodePage(name)),
                body + "</tbody></table></div>" + VerifiedLegend());
}

QString SearchForm(const QString& wanted) {
    return "<form action=\"/search\" method=\"get\"><label>Name <input type=\"search\" name=\"name\" "
           "value=\"" +
           Escaped(wanted) + "\"></label> <button type=\"submit\">Search</button></form>";
}

QByteArray SearchPage(const QString& wanted, const std::vector<std::string>& names, bool more) {
    QString body = "<p><a href=\"/\">All tables</a></p>" + SearchForm(wanted);
    if (wanted.isEmpty()) {
        return Page("Stakkar name search", body + "<p>Type the start of a name or of a word in it.</p>");
    }
    if (names.empty()) {
        body += "<p id=\"found\">No name or word of one starts with \"" + Escaped(wanted) + "\".</p>";
    } else if (more) {
        body += QString("<p id=\"found\">The first %1 names found by \"%2\"; type more of the name to see "
                        "fewer.</p>")
                    .arg(names.size())
                    .arg(Escaped(wanted));
    } else {
        body +=
            QString("<p id=\"found\">Names found by \"%1\": %2.</p>").arg(Escaped(wanted)).arg(names.size());
    }
    body += "<ul id=\"names\">";
    for (const std::string& name : names) {
        body +=
            "<li><a href=\"" + Escaped(PlayerPath(name)) + "\">" + Escaped(FromCodePage(name)) + "</a></li>";
    }
    return Page("Stakkar name search", body + "</ul>");
}
