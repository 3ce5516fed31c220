// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/uHealthRoute.h"

#include <cstdio>

using boost::beast::http::status;

tHttpReply AnswerHealth(tRouteContext& context, const tRequest&) {
    if (const tStoreResult<void> answered = context.Results.Answers(); !answered) {
        std::fprintf(stderr, "stakkar-scores: %s\n", qPrintable(answered.Problem()));
        return {status::service_unavailable, kTextType, "the database does not answer\n", {}};
    }
    return {status::ok, kTextType, "ok\n", {}};
}
