// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/uScoreServer.h"

#include "server/uBrowseRoutes.h"
#include "server/uHealthRoute.h"
#include "server/uMetricsRoute.h"
#include "server/uRouteReplies.h"
#include "server/uTableRoutes.h"
#include "server/uUploadRoute.h"
#include "server/uViewerRoute.h"

namespace {

// Every address the server answers, tried in this order; the first whose pattern matches answers. The HTTP
// layer hands on GET and HEAD alone (a HEAD gets a GET's header lines); every route answers both but the
// upload, which stores what it is sent and so must not be reached by a link checker's HEAD.
constexpr tRoute kRoutes[] = {
    {"/", tPathForm::Decoded, tPlusSign::Space, AnswerFront},
    {"/index.php?", tPathForm::Decoded, tPlusSign::Itself, AnswerUpload, tHeadAnswer::Refused},
    {"/index.php", tPathForm::Decoded, tPlusSign::Space, AnswerFront},
    {"/scores/*", tPathForm::Decoded, tPlusSign::Space, AnswerTable},
    {"/players/*", tPathForm::AsSent, tPlusSign::Space, AnswerPlayer},
    {"/search", tPathForm::AsSent, tPlusSign::Space, AnswerSearch},
    {"/results/*/replay.rep", tPathForm::AsSent, tPlusSign::Space, AnswerReplay},
    {"/results/*", tPathForm::AsSent, tPlusSign::Space, AnswerResult},
    {"/healthz", tPathForm::AsSent, tPlusSign::Space, AnswerHealth},
    {"/metrics", tPathForm::AsSent, tPlusSign::Space, AnswerMetrics},
    {"/viewer/*", tPathForm::AsSent, tPlusSign::Space, AnswerViewerFile},
};

QByteArray Bytes(std::string_view text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

tScoreServer::tScoreServer(tResultStore& results, tUploadAllowance& allowance, tRateLimiter& searches,
                           tMetrics& metrics, bool requireReplay)
    : Context{results, allowance, searches, metrics, Tally, Front, requireReplay} {
    metrics.AddCounter("stakkar_results_taken_total",
                       "Uploads answered 200: results stored or known already.", Tally.Taken);
    metrics.AddCounter("stakkar_results_refused_total", "Uploads answered with anything but 200.",
                       Tally.Refused);
    metrics.AddCounter("stakkar_results_verified_total", "Results stored with a replay that proves them.",
                       Tally.Verified);
}

tHttpReply tScoreServer::Answer(std::string_view target, const std::string& client, bool head) {
    const size_t mark = target.find('?');
    const bool hasQuery = mark != std::string_view::npos;
    const QByteArray sent = Bytes(target.substr(0, mark));
    const QByteArray decoded = QByteArray::fromPercentEncoding(sent);
    const QByteArray query = hasQuery ? Bytes(target.substr(mark + 1)) : QByteArray();
    for (const tRoute& route : kRoutes) {
        const QByteArray& path = route.Form == tPathForm::Decoded ? decoded : sent;
        if (std::optional<QByteArray> rest = MatchPattern(route.Pattern, path, hasQuery)) {
            if (head && route.Head == tHeadAnswer::Refused) {
                return GetOnly();
            }
            tHttpReply reply = route.Handler(Context, {std::move(*rest), query, route.Plus, client});
            reply.Route = route.Pattern;
            return reply;
        }
    }
    tHttpReply missing = NotFound("There is no page at this address.");
    missing.Route = "none";
    return missing;
}
