// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/pages/uPageParts.h"

#include "server/pages/uPageAddresses.h"
#include "server/pages/uViewerFiles.h"
#include "server/store/uResultStore.h"

namespace {

constexpr const char* kVerifiedMeaning =
    "Verified: the server played the recorded key presses again, at their times, under the game's rules, "
    "for this player's name, start time and settings, and got every field shown. It cannot prove who or "
    "what pressed the keys.";

} // namespace

QString View(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Escaped(const QString& text) {
    return text.toHtmlEscaped();
}

QByteArray Page(const QString& title, const QString& body) {
    // A phone shows the page at its own width; a table wider than that scrolls in its box, not the page.
    return QString("<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
                   "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
                   "<title>%1</title>"
                   "<style>body{font-family:sans-serif;margin:2em;overflow-wrap:anywhere}"
                   "table{border-collapse:collapse}.wide{overflow-x:auto}"
                   "th,td{padding:.2em .8em;border-bottom:1px solid #ccc}td.n{text-align:right}"
                   ".verified{color:#1a7f37;font-weight:bold;margin-left:.3em}"
                   ".watch{margin-left:.3em;text-decoration:none}"
                   "@media (max-width:40em){body{margin:.5em}th,td{padding:.2em .4em}}</style>"
                   "</head><body><h1>%1</h1>\n%2\n</body></html>\n")
        .arg(title, body)
        .toUtf8();
}

void AddCell(QString& body, const QString& text, bool number) {
    body += number ? QLatin1String("<td class=\"n\">") : QLatin1String("<td>");
    body += Escaped(text);
    body += QLatin1String("</td>");
}

void AddLinkCell(QString& body, const QString& address, const QString& text, bool number) {
    body += number ? QLatin1String("<td class=\"n\"><a href=\"") : QLatin1String("<td><a href=\"");
    body += Escaped(address);
    body += QLatin1String("\">");
    body += Escaped(text);
    body += QLatin1String("</a></td>");
}

void AddScoreCell(QString& body, int32_t score, bool verified, int64_t id) {
    body += QLatin1String("<td class=\"n\">");
    body += QString::number(score);
    if (verified) {
        body += QString("<span class=\"verified\" title=\"%1\">&#10003;</span>").arg(kVerifiedMeaning);
        if (HasViewer()) {
            body += QString("<a class=\"watch\" href=\"%1\" title=\"Watch the game\">&#9654;</a>")
                        .arg(WatchPath(id));
        }
    }
    body += QLatin1String("</td>");
}

QString WatchPath(int64_t id) {
    return ResultPath(id) + "#watch";
}

QString VerifiedLegend() {
    return QString("<p class=\"legend\"><span class=\"verified\">&#10003;</span> %1</p>")
        .arg(kVerifiedMeaning);
}

QString TableName(std::string_view gameType, std::string_view difficulty) {
    return View(gameType) + " : " + View(difficulty);
}

QString TableTitle(std::string_view gameType, std::string_view difficulty) {
    return Escaped(TableName(gameType, difficulty));
}

QString ResultsText(int64_t count) {
    return count == 1 ? QString("1 result") : QString("%1 results").arg(count);
}

QString RankText(int64_t rank) {
    return rank > kRankLimit ? QString("below %1").arg(kRankLimit) : QString::number(rank);
}
