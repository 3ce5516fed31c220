// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/uPageReply.h"

#include "server/uScorePages.h"

#include <cstdio>

tPageReply NotFoundReply(const QString& problem) {
    return {404, kHtmlType, ProblemPage("Not found", problem)};
}

tPageReply DatabaseFailedReply(const QString& problem) {
    std::fprintf(stderr, "stakkar-scores: %s\n", qPrintable(problem));
    return {503, kHtmlType,
            ProblemPage("Database unavailable",
                        "The database did not answer; nothing was stored. Try again later.")};
}
