// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pages beyond the tables: a player's results, the search for names and a single result.
//
//     /players/<name>      the name's bytes in the code page, percent-encoded
//     /search?name=...     names holding the text, letter case aside
//     /results/<id>        one result
//     /results/<id>/replay.rep   the replay of a verified result, as a file

#include "server/uPageReply.h"
#include "server/uScoreDatabase.h"

#include <QByteArray>

#include <optional>

// encodedPath as it came, percent-encoding kept; nothing when the path is none of these pages.
std::optional<tPageReply> BrowseReply(tScoreDatabase& database, const QByteArray& encodedPath,
                                      const QByteArray& query);
