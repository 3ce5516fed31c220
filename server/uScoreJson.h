// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The best results of a table for tools: the same lines as the table page, names in UTF-8.

#include "server/uScoreRecord.h"

#include <QByteArray>

#include <string_view>
#include <vector>

QByteArray TableJson(std::string_view gameType, std::string_view difficulty,
                     const std::vector<tScoreRecord>& best);
