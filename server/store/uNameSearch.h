// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The index the search of names reads: for every stored name, the name from the start of each of its words
// on, in small letters (Windows-1251's Cyrillic ones too), so that what a search asks for is the start of
// one such text and the database finds it by a range of its index instead of walking every name.

#include "server/store/uStoreResult.h"

#include <QSqlDatabase>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The texts of name that a search finds it by, in the code page's bytes: the name itself and the rest of it
// from every word on, a word starting after a space, hyphen, underscore or dot; all in small letters.
std::vector<std::string> SearchKeys(std::string_view name);
// The first text after every one that starts with prefix; none when no text of bytes comes after them all.
std::optional<std::string> PrefixEnd(std::string_view prefix);

// Adds the keys of name; those the index holds already stay as they are.
tStoreResult<void> IndexName(QSqlDatabase& db, std::string_view name);
// Adds the keys of every stored name, for a database that had no index of them.
tStoreResult<void> IndexAllNames(QSqlDatabase& db);
