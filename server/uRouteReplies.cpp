// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/uRouteReplies.h"

#include "server/pages/uScorePages.h"

#include <cmath>
#include <cstdio>

using boost::beast::http::field;
using boost::beast::http::status;

tHttpReply NotFound(const QString& problem) {
    return {status::not_found, kHtmlType, ProblemPage("Not found", problem), {}};
}

tHttpReply DatabaseFailed(const QString& problem) {
    std::fprintf(stderr, "stakkar-scores: %s\n", qPrintable(problem));
    return {status::service_unavailable,
            kHtmlType,
            ProblemPage("Database unavailable",
                        "The database did not answer; nothing was stored. Try again later."),
            {}};
}

tHttpReply GetOnly() {
    return {status::method_not_allowed,
            kHtmlType,
            ProblemPage("Method not allowed", "A result is sent here by GET alone; a HEAD stores nothing."),
            {{boost::beast::http::field::allow, "GET"}}};
}

tHttpReply Refused(status code, const std::string& problem) {
    return {code,
            kHtmlType,
            ProblemPage("Result refused", QString::fromStdString(problem) + " Nothing was stored."),
            {}};
}

tHttpReply TooMany(const QString& title, const QString& problem, double wait) {
    return {status::too_many_requests,
            kHtmlType,
            ProblemPage(title, problem),
            {{field::retry_after, std::to_string(static_cast<long long>(std::ceil(wait)))}}};
}
