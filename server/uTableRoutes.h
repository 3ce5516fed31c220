// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The front page, which links every table, and the tables a hundred results a page, as HTML and JSON:
//
//     /scores/<type>/<difficulty>[.json][?page=N]

#include "server/uRoute.h"

tHttpReply AnswerFront(tRouteContext& context, const tRequest& request);
// request.Rest: "<type>/<difficulty>", or the same with ".json".
tHttpReply AnswerTable(tRouteContext& context, const tRequest& request);
