// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The addresses of the server's pages, relative to its root. The addresses of names hold the name's bytes in
// the game's code page, percent-encoded, so that every name has exactly one address whatever it holds.

#include <QString>

#include <cstdint>
#include <string_view>

// "/scores/Standart/Normal"
QString TablePath(std::string_view gameType, std::string_view difficulty);
// The table's page number (1 for the first) or its JSON; the first page's address has no page=.
QString TablePagePath(std::string_view gameType, std::string_view difficulty, int64_t number,
                      bool json = false);
// The table page that shows a result of this rank as the database reports it; the first when the rank is
// beyond those counted.
QString TablePathOfRank(std::string_view gameType, std::string_view difficulty, int64_t rank);
// "/players/%C0%ED%FF"; for the names "." and "..", which a browser would take for steps in the path,
// "/players/?name=.."
QString PlayerPath(std::string_view name);
// "/results/17"
QString ResultPath(int64_t id);
// "/results/17/replay.rep", the replay of a verified result.
QString ReplayPath(int64_t id);
