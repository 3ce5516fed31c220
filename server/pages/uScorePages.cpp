// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/pages/uScorePages.h"

#include "platform/uCodePage.h"
#include "server/check/uScoreTables.h"
#include "server/pages/uPageAddresses.h"
#include "server/pages/uPageParts.h"
#include "server/pages/uPlayerPages.h"
#include "server/pages/uScoreDates.h"
#include "server/pages/uViewerFiles.h"

namespace {

// "Ann, 1234 at level 5 in Standart : Normal", linked to the result's page, and to its game where the server
// has the viewer.
QString GameItem(const tScoreRecord& r) {
    const QString watch =
        r.Verified && HasViewer() ? QString(" &middot; <a href=\"%1\">Watch</a>").arg(WatchPath(r.Id)) : "";
    return QString("<li><a href=\"%1\">%2</a>, %3 at level %4 in %5%6</li>")
        .arg(Escaped(ResultPath(r.Id)), Escaped(FromCodePage(r.Entry.Name)), QString::number(r.Entry.Score),
             QString::number(r.Entry.Level), TableTitle(r.GameType, r.Difficulty), watch);
}

} // namespace

QByteArray FrontPage(const std::vector<tTableSize>& tables, const std::vector<tScoreRecord>& latest,
                     const std::vector<tScoreRecord>& best) {
    QString body = SearchForm({}) + "<ul id=\"tables\">";
    for (const tGameTypeRule& type : kGameTypes) {
        for (const tDifficultyRule& level : kDifficulties) {
            const std::string_view gameType = type.Name;
            const std::string_view difficulty = level.Name;
            int64_t results = 0;
            for (const tTableSize& table : tables) {
                if (table.GameType == gameType && table.Difficulty == difficulty) {
                    results = table.Results;
                }
            }
            const QString path = Escaped(TablePath(gameType, difficulty));
            body += QString("<li><a href=\"%1\">%2</a> (%3, <a href=\"%1.json\">JSON</a>)</li>")
                        .arg(path, TableTitle(gameType, difficulty), ResultsText(results));
        }
    }
    body += "</ul>";
    if (!latest.empty()) {
        body += "<h2>The latest verified games</h2><ul id=\"latest\">";
        for (const tScoreRecord& r : latest) {
            body += GameItem(r);
        }
        body += "</ul>";
    }
    if (!best.empty()) {
        body += "<h2>The best of each table</h2><ul id=\"best\">";
        for (const tScoreRecord& r : best) {
            body += GameItem(r);
        }
        body += "</ul>";
    }
    return Page("Stakkar high scores", body);
}

QByteArray TablePage(const tTablePage& page) {
    const std::string_view gameType = page.GameType;
    const std::string_view difficulty = page.Difficulty;
    QString body = "<p><a href=\"/\">All tables</a> &middot; <a href=\"" +
                   Escaped(TablePagePath(gameType, difficulty, page.Number, true)) + "\">JSON</a></p>";
    const QString links = page.Rows.empty() ? QString() : PagingLinks(page);
    body += page.Rows.empty() ? "<p>No results yet.</p>" : links;
    body += "<div class=\"wide\"><table "
            "id=\"scores\"><thead><tr><th>Rank</th><th>Name</th><th>Level</th><th>Score</th><th>Date</th>"
            "<th>Start level</th><th>Broken lines</th><th>Figures</th><th>Cleared</th></tr></thead><tbody>";
    body.reserve(body.size() + static_cast<qsizetype>(page.Rows.size()) * 384);
    int64_t rank = page.FirstRank();
    for (const tScoreRecord& r : page.Rows) {
        const tResultRecord& e = r.Entry;
        body += QLatin1String("<tr>");
        AddLinkCell(body, ResultPath(r.Id), QString::number(rank++), true);
        AddLinkCell(body, PlayerPath(e.Name), FromCodePage(e.Name));
        AddCell(body, QString::number(e.Level), true);
        AddScoreCell(body, e.Score, r.Verified, r.Id);
        AddCell(body, DateText(e.StartTime));
        AddCell(body, QString::fromStdString(e.StartLevel), true);
        AddCell(body, QString::fromStdString(e.BrokenLines), true);
        AddCell(body, QString::fromStdString(e.Figures));
        AddCell(body, QString::fromStdString(e.Cleared));
        body += QLatin1String("</tr>");
    }
    return Page("Stakkar high scores " + TableTitle(gameType, difficulty),
                body + "</tbody></table></div>" + links + VerifiedLegend());
}

QByteArray TakenPage(const tScoreRecord& r, const tStoreOutcome& outcome, tUnproven unproven) {
    const QString place = outcome.Hidden              ? QString("is hidden from")
                          : outcome.Rank > kRankLimit ? QString("stands below rank %1 in").arg(kRankLimit)
                                                      : QString("stands at rank %1 in").arg(outcome.Rank);
    const QString what = outcome.Fresh ? "was taken" : "was already stored";
    const QString proof =
        outcome.Verified
            ? "It is verified: the server played the recorded key presses of its game again, at "
              "their times, under the game's rules, for this player's name, start time and "
              "settings, and got every field of it. That cannot prove who or what pressed the keys."
        : unproven == tUnproven::UntimedReplay
            ? "It came with a replay of an older format, whose key presses have no times, so the server "
              "cannot play them again at their times: it is not verified."
            : "It came without the replay of its game and is not verified.";
    // One call fills every place at once: a name such as "%2" stays as it is.
    const QString body =
        QString("<p id=\"outcome\">The result of %1, score %2 at level %3, %4 and %5 the table %6.</p>"
                "<p id=\"verified\">%8</p><p><a href=\"%7\">Show the table</a></p>")
            .arg(Escaped(FromCodePage(r.Entry.Name)), QString::number(r.Entry.Score),
                 QString::number(r.Entry.Level), what, place, TableTitle(r.GameType, r.Difficulty),
                 Escaped(TablePathOfRank(r.GameType, r.Difficulty, outcome.Rank)), proof);
    return Page(outcome.Fresh ? "Result taken" : "Result already stored", body);
}

QByteArray ProblemPage(const QString& title, const QString& problem) {
    return Page(Escaped(title),
                "<p id=\"problem\">" + Escaped(problem) + "</p><p><a href=\"/\">All tables</a></p>");
}
