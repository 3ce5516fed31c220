// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A page of a table for tools: the same lines as the table page, names in UTF-8, with the page's number, the
// number of pages and of results.

#include "server/pages/uTablePaging.h"

#include <QByteArray>

QByteArray TableJson(const tTablePage& page);
