// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The server's answers: every address it serves, in one table of routes (uScoreServer.cpp), from the upload
// the game sends results to, through the front page, the tables and their JSON, to the players' pages, the
// search and single results with their replays. Any other address is answered 404.

#include "server/http/uHttpReply.h"
#include "server/uRoute.h"

#include <string>
#include <string_view>

class tScoreServer {
public:
    // requireReplay: a result without its game's replay is refused rather than stored unverified.
    // searches: the allowance of searches per client address.
    // metrics: where the uploads' outcomes are counted, and what /metrics shows.
    tScoreServer(tResultStore& results, tUploadAllowance& allowance, tRateLimiter& searches,
                 tMetrics& metrics, bool requireReplay);

    // The answer to a GET of target, the address as the request line holds it, from the client's address;
    // head: the request is a HEAD, answered as a GET where the route allows it and 405 where it does not.
    tHttpReply Answer(std::string_view target, const std::string& client, bool head);

private:
    tResultTally Tally;
    tFrontGames Front;
    tRouteContext Context;
};
