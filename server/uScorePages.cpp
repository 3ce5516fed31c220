// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/uScorePages.h"

#include "platform/uCodePage.h"
#include "server/uScoreTables.h"

namespace {

QString View(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Escaped(const QString& text) {
    return text.toHtmlEscaped();
}

QString TableTitle(std::string_view gameType, std::string_view difficulty) {
    return Escaped(View(gameType) + " : " + View(difficulty));
}

QByteArray Page(const QString& title, const QString& body) {
    return QString("<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
                   "<title>%1</title>"
                   "<style>body{font-family:sans-serif;margin:2em}table{border-collapse:collapse}"
                   "th,td{padding:.2em .8em;border-bottom:1px solid #ccc}td.n{text-align:right}</style>"
                   "</head><body><h1>%1</h1>\n%2\n</body></html>\n")
        .arg(title, body)
        .toUtf8();
}

// Appends in place: a table page is a hundred rows of nine cells, and temporaries per cell were most of its
// cost.
void AddCell(QString& body, const QString& text, bool number = false) {
    body += number ? QLatin1String("<td class=\"n\">") : QLatin1String("<td>");
    body += Escaped(text);
    body += QLatin1String("</td>");
}

} // namespace

QString TablePath(std::string_view gameType, std::string_view difficulty) {
    return "/scores/" + View(gameType) + "/" + View(difficulty);
}

QString DateText(const std::string& startTime) {
    const QString t = QString::fromStdString(startTime);
    return QString("20%1-%2-%3 %4").arg(t.mid(6, 2), t.mid(3, 2), t.mid(0, 2), t.mid(9));
}

QByteArray FrontPage(const std::vector<tTableSize>& tables) {
    QString body = "<ul>";
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
            body += QString("<li><a href=\"%1\">%2</a> (%3 results, <a href=\"%1.json\">JSON</a>)</li>")
                        .arg(path, TableTitle(gameType, difficulty))
                        .arg(results);
        }
    }
    return Page("Stakkar high scores", body + "</ul>");
}

QByteArray TablePage(std::string_view gameType, std::string_view difficulty,
                     const std::vector<tScoreRecord>& best) {
    QString body = "<p><a href=\"/\">All tables</a> &middot; <a href=\"" +
                   Escaped(TablePath(gameType, difficulty)) + ".json\">JSON</a></p>";
    if (best.empty()) {
        body += "<p>No results yet.</p>";
    }
    body +=
        "<table id=\"scores\"><thead><tr><th>Rank</th><th>Name</th><th>Level</th><th>Score</th><th>Date</th>"
        "<th>Start level</th><th>Broken lines</th><th>Figures</th><th>Cleared</th></tr></thead><tbody>";
    body.reserve(body.size() + static_cast<qsizetype>(best.size()) * 256);
    for (size_t i = 0; i < best.size(); ++i) {
        const tResultRecord& e = best[i].Entry;
        body += QLatin1String("<tr>");
        AddCell(body, QString::number(i + 1), true);
        AddCell(body, FromCodePage(e.Name));
        AddCell(body, QString::number(e.Level), true);
        AddCell(body, QString::number(e.Score), true);
        AddCell(body, DateText(e.StartTime));
        AddCell(body, QString::fromStdString(e.StartLevel), true);
        AddCell(body, QString::fromStdString(e.BrokenLines), true);
        AddCell(body, QString::fromStdString(e.Figures));
        AddCell(body, QString::fromStdString(e.Cleared));
        body += QLatin1String("</tr>");
    }
    return Page("Stakkar high scores " + TableTitle(gameType, difficulty), body + "</tbody></table>");
}

QByteArray TakenPage(const tScoreRecord& r, const tStoreOutcome& outcome) {
    const QString place = outcome.Hidden              ? QString("is hidden from")
                          : outcome.Rank > kRankLimit ? QString("stands below rank %1 in").arg(kRankLimit)
                                                      : QString("stands at rank %1 in").arg(outcome.Rank);
    const QString what = outcome.Fresh ? "was taken" : "was already stored";
    const QString body =
        QString("<p id=\"outcome\">The result of %1, score %2 at level %3, %4 and %5 the table %6.</p>"
                "<p><a href=\"%7\">Show the table</a></p>")
            .arg(Escaped(FromCodePage(r.Entry.Name)))
            .arg(r.Entry.Score)
            .arg(r.Entry.Level)
            .arg(what, place, TableTitle(r.GameType, r.Difficulty),
                 Escaped(TablePath(r.GameType, r.Difficulty)));
    return Page(outcome.Fresh ? "Result taken" : "Result already stored", body);
}

QByteArray ProblemPage(const QString& title, const QString& problem) {
    return Page(Escaped(title),
                "<p id=\"problem\">" + Escaped(problem) + "</p><p><a href=\"/\">All tables</a></p>");
}
