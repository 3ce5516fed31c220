// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parameters of an address's query as bytes, "%XX" a byte. Names arrive in UTF-8 from the search form and
// in the code page from links, so no text decoding happens here.

#include <QByteArray>

#include <optional>

// What a "+" of the query stands for. A form sends a space as "+", so the pages that forms and links reach
// read it so. The game's upload percent-encodes every byte of its result, so a "+" there came from some other
// client, and the upload has always taken it as the byte it is: a name with a "+" keeps it.
enum class tPlusSign { Space, Itself };

// The value of the first parameter named key; nothing when there is none, empty when it has no "=".
std::optional<QByteArray> QueryValue(const QByteArray& query, const QByteArray& key, tPlusSign plus);
