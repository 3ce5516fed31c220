// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the server's HTML pages share: the frame of a page, table cells, a table's title and a rank in words.
// Every text handed to these is escaped here; only a page's title and body are taken as markup.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <string_view>

QString View(std::string_view text);
QString Escaped(const QString& text);

// A whole page, UTF-8; title and body are markup.
QByteArray Page(const QString& title, const QString& body);

// Append in place: a table page is a hundred rows of nine cells, and temporaries per cell were most of its
// cost.
void AddCell(QString& body, const QString& text, bool number = false);
void AddLinkCell(QString& body, const QString& address, const QString& text, bool number = false);

// A score's cell, marked when the result is verified, with a link to watch its game where the server has
// the viewer.
void AddScoreCell(QString& body, int32_t score, bool verified, int64_t id);
// The address that plays a verified result's game on its page.
QString WatchPath(int64_t id);
// What the mark means, for the foot of a page that shows it.
QString VerifiedLegend();

// "Standart : Normal"; TableTitle is the same escaped.
QString TableName(std::string_view gameType, std::string_view difficulty);
QString TableTitle(std::string_view gameType, std::string_view difficulty);
// "1 result", "2 results".
QString ResultsText(int64_t count);
// A rank as the database reports it: the number, or that it lies beyond the ranks counted.
QString RankText(int64_t rank);
