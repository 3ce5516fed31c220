// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/uUploadRoute.h"

#include "server/check/uReplayCheck.h"
#include "server/check/uUploadCheck.h"
#include "server/pages/uScorePages.h"
#include "server/uRouteReplies.h"

#include <cstdio>
#include <optional>

namespace {

using boost::beast::http::status;

// The answer when the client has no token left or the allowance cannot be read; nothing when a token was
// spent.
std::optional<tHttpReply> TakeToken(tRouteContext& context, const std::string& client) {
    const tStoreResult<double> taken = context.Allowance.Take(client);
    if (!taken) {
        return DatabaseFailed(taken.Problem());
    }
    if (*taken > 0) {
        return TooMany("Too many uploads", "Too many results came from this address; wait a minute.", *taken);
    }
    return std::nullopt;
}

// The last step of an upload, on the loop's thread; proof is null for a result stored unverified, and
// unproven says why. A result that came without a replay keeps the token it spent only when it is stored as
// new; one with a replay keeps its token whatever comes of it.
tHttpReply Store(tRouteContext& context, const tScoreRecord& record, const tReplayKept* proof,
                 tUnproven unproven, const std::string& client) {
    const tStoreResult<tStoreOutcome> outcome = context.Results.Store(record, proof);
    if ((!outcome || !outcome->Fresh) && proof == nullptr && unproven == tUnproven::NoReplay) {
        if (const tStoreResult<void> given = context.Allowance.GiveBack(client); !given) {
            std::fprintf(stderr, "stakkar-scores: %s\n", qPrintable(given.Problem()));
        }
    }
    if (!outcome) {
        return DatabaseFailed(outcome.Problem());
    }
    if (outcome->ProvenBefore) {
        return Refused(status::conflict, "This game's replay already proves result " +
                                             std::to_string(*outcome->ProvenBefore) +
                                             "; one game proves one result.");
    }
    if (proof != nullptr) {
        context.Tally.Verified.fetch_add(1, std::memory_order_relaxed);
    }
    return {status::ok, kHtmlType, TakenPage(record, *outcome, unproven), {}};
}

tHttpReply Tallied(tResultTally& tally, tHttpReply reply) {
    (reply.Status == status::ok ? tally.Taken : tally.Refused).fetch_add(1, std::memory_order_relaxed);
    return reply;
}

tHttpReply Answer(tRouteContext& context, const tRequest& request);

} // namespace

tHttpReply AnswerUpload(tRouteContext& context, const tRequest& request) {
    tHttpReply reply = Answer(context, request);
    if (!reply.Work) {
        return Tallied(context.Tally, std::move(reply));
    }
    // The outcome is known only when the check's last step gives it.
    reply.Work = [&tally = context.Tally, work = std::move(reply.Work)]() -> tHttpFinish {
        return [&tally, finish = work()] { return Tallied(tally, finish()); };
    };
    return reply;
}

namespace {

tHttpReply Answer(tRouteContext& context, const tRequest& request) {
    if (request.Value("tab") != "hscore" || !request.Value("data")) {
        return {status::bad_request,
                kHtmlType,
                ProblemPage("Result refused", "The address does not hold tab=hscore and data=."),
                {}};
    }
    const std::string& client = request.Client;
    const tStoreResult<double> wait = context.Allowance.Wait(client);
    if (!wait) {
        return DatabaseFailed(wait.Problem());
    }
    if (*wait > 0) {
        return TooMany("Too many uploads", "Too many results came from this address; wait a minute.", *wait);
    }
    const QByteArray data = *request.Value("data");
    const tUploadVerdict verdict =
        CheckUpload(std::string_view(data.constData(), static_cast<size_t>(data.size())));
    if (!verdict.Record) {
        return Refused(status::bad_request, verdict.Problem);
    }
    const std::optional<QByteArray> replayText = request.Value("replay");
    if (!replayText) {
        if (context.RequireReplay) {
            return Refused(status::forbidden,
                           "This server takes a result only with the replay of its game, and "
                           "this one came without; a newer version of the game sends it.");
        }
        // Spent before the result is stored, so that uploads on several processes at once cannot all
        // find the same last token.
        if (std::optional<tHttpReply> refused = TakeToken(context, client)) {
            return std::move(*refused);
        }
        return Store(context, *verdict.Record, nullptr, tUnproven::NoReplay, client);
    }
    // Playing a game again is the dearest work an upload can ask for, so it counts however it ends.
    if (std::optional<tHttpReply> refused = TakeToken(context, client)) {
        return std::move(*refused);
    }
    tHttpReply reply;
    reply.Work = [&context, record = *verdict.Record, text = *replayText, client]() -> tHttpFinish {
        // On a worker: the replay and the record alone, no database and no allowance.
        const auto replay = QByteArray::fromBase64Encoding(text, QByteArray::Base64UrlEncoding |
                                                                     QByteArray::AbortOnBase64DecodingErrors);
        if (!replay) {
            return [] { return Refused(status::bad_request, "The replay is not written in base64url."); };
        }
        std::string bytes = replay.decoded.toStdString();
        tReplayProof checked = CheckReplay(record, bytes);
        if (checked.Verdict == tReplayVerdict::Refused) {
            return [problem = std::move(checked.Problem)] { return Refused(status::bad_request, problem); };
        }
        if (checked.Verdict == tReplayVerdict::Untimed) {
            if (context.RequireReplay) {
                return [problem = std::move(checked.Problem)] {
                    return Refused(status::forbidden,
                                   problem + " This server takes a result only with a replay it can check; a "
                                             "newer version of the game sends one.");
                };
            }
            return [&context, record, client] {
                return Store(context, record, nullptr, tUnproven::UntimedReplay, client);
            };
        }
        return [&context, record,
                proof = tReplayKept{std::move(bytes), std::move(checked.FinalWell), std::move(checked.Game)},
                client] { return Store(context, record, &proof, tUnproven::NoReplay, client); };
    };
    return reply;
}

} // namespace
