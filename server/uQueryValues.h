// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parameters of an address's query as bytes, as a form sends them: "+" is a space, "%XX" a byte. Names
// arrive in UTF-8 from the search form and in the code page from links, so no text decoding happens here.

#include <QByteArray>

#include <optional>

// The value of the first parameter named key; nothing when there is none.
std::optional<QByteArray> QueryValue(const QByteArray& query, const QByteArray& key);
