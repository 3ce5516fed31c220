// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pages beyond the tables: a player's results, the search for names and a single result.
//
//     /players/<name>      the name's bytes in the code page, percent-encoded; /players/?name=NAME for the
//                          names "." and "..", which a browser would take for steps in the path
//     /search?name=...     names holding the text, letter case aside
//     /results/<id>        one result
//     /results/<id>/replay.rep   the replay of a verified result, as a file
//
// Each reads request.Rest as the path was sent, percent-encoding kept.

#include "server/uRoute.h"

tHttpReply AnswerPlayer(tRouteContext& context, const tRequest& request);
tHttpReply AnswerSearch(tRouteContext& context, const tRequest& request);
tHttpReply AnswerResult(tRouteContext& context, const tRequest& request);
tHttpReply AnswerReplay(tRouteContext& context, const tRequest& request);
