// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The links that lead through a table shown a page at a time, and the answer to a page past its end.

#include "server/store/uTablePage.h"

#include <QByteArray>
#include <QString>

// "results 101-200 of 1000" with the links to the first, previous, next and last pages.
QString PagingLinks(const tTablePage& page);
// The answer to a page past the end, with a link back to the last one.
QByteArray PastEndPage(const tTablePage& page);
