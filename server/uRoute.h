// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One row of the server's route table: a path pattern, how the path and the query are read for it, and the
// handler that answers it. The table itself is in uScoreServer.cpp.

#include "server/http/uHttpReply.h"
#include "server/http/uMetrics.h"
#include "server/http/uQueryValues.h"
#include "server/store/uResultStore.h"
#include "server/store/uUploadAllowance.h"
#include "server/uFrontGames.h"
#include "server/uRateLimiter.h"
#include "server/uResultTally.h"

#include <QByteArray>

#include <optional>
#include <string>
#include <string_view>

// What every handler may use; it outlives every answer, those finished on a worker too.
struct tRouteContext {
    tResultStore& Results;
    tUploadAllowance& Allowance;
    // Searches per client address: the dearest page to read, and the one a client can ask for in a loop.
    tRateLimiter& Searches;
    tMetrics& Metrics;
    tResultTally& Tally;
    tFrontGames& Front;
    // A result without its game's replay is refused rather than stored unverified.
    bool RequireReplay = false;
};

// The request as a route reads it.
struct tRequest {
    // What the pattern's "*" stands for, in the form the route reads its path in; empty without a "*".
    QByteArray Rest;
    QByteArray Query;
    tPlusSign Plus = tPlusSign::Space;
    // The client's address, as the upload allowance counts it.
    const std::string& Client;

    // The value of the query's first parameter named key.
    std::optional<QByteArray> Value(const QByteArray& key) const { return QueryValue(Query, key, Plus); }
};

using tRouteHandler = tHttpReply (*)(tRouteContext& context, const tRequest& request);

// The form of the path a pattern is matched against. Names in addresses are bytes of the code page, which
// the percent-decoded path could not tell from the "/" between steps, so the routes that carry one read
// the path as it was sent and decode their part of it themselves.
enum class tPathForm { Decoded, AsSent };

// Whether a HEAD is answered as a GET; a route whose GET changes what is stored refuses it.
enum class tHeadAnswer { AsGet, Refused };

struct tRoute {
    // The path: literal bytes with at most one "*", which stands for any bytes, "/" too; a "?" at the end
    // asks for a query, without one the query may be there or not.
    std::string_view Pattern;
    tPathForm Form = tPathForm::Decoded;
    tPlusSign Plus = tPlusSign::Space;
    tRouteHandler Handler = nullptr;
    tHeadAnswer Head = tHeadAnswer::AsGet;
};

// What the "*" of pattern stands for in path (empty when the pattern has none); nothing when the path, with
// a query or without (hasQuery), does not match.
std::optional<QByteArray> MatchPattern(std::string_view pattern, const QByteArray& path, bool hasQuery);
