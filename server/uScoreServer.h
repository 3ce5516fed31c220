// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The server's answers: the upload page the game sends results to, the table pages and their JSON, and the

#include "server/uHttpReply.h"
#include "server/uRateLimiter.h"
#include "server/uScoreDatabase.h"
#include "server/uScorePages.h"

#include <QByteArray>
#include <QString>

#include <string>
#include <string_view>

class tScoreServer {
public:
    // requireReplay: a result without its game's replay is refused rather than stored unverified.
    tScoreServer(tScoreDatabase& database, tRateLimiter& limiter, bool requireReplay);

    // The answer to a GET of target, the address as the request line holds it, from the client's address.
    tHttpReply Answer(std::string_view target, const std::string& client);

private:
    tHttpReply Upload(const QByteArray& query, const std::string& client);
    // The last step of an upload, on the loop's thread; proof is null for a result stored unverified, and
    // unproven says why. A result that came without a replay spends a token of its client only when it is
    // new; one with a replay spent its token before the replay was played.
    tHttpReply Store(const tScoreRecord& record, const tReplayKept* proof, tUnproven unproven,
                     const std::string& client, tRateLimiter::tClock::time_point now);
    tHttpReply Table(const QString& rest, const QByteArray& query);
    tHttpReply Front();
    tHttpReply DatabaseFailed(const QString& problem);

    tScoreDatabase& Database;
    tRateLimiter& Limiter;
    bool RequireReplay;
};
