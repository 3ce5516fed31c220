// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/uBrowseRoutes.h"

#include "core/uRules.h"
#include "platform/uCodePage.h"
#include "server/check/uFieldForms.h"
#include "server/pages/uPlayerPages.h"
#include "server/pages/uResultPage.h"
#include "server/pages/uViewerFiles.h"
#include "server/uRouteReplies.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

namespace {

using boost::beast::http::field;
using boost::beast::http::status;

std::string_view Bytes(const QByteArray& text) {
    return {text.constData(), static_cast<size_t>(text.size())};
}

// The name a player's address holds: its part of the path, or for the names that PlayerPath puts in the
// query, name=.
QByteArray PlayerName(const tRequest& request) {
    if (request.Rest.isEmpty()) {
        return request.Value("name").value_or(QByteArray());
    }
    return QByteArray::fromPercentEncoding(request.Rest);
}

// The ranks of the player's results in one table, from the table's best kRankLimit, which a single walk of
// the ranking index reads however many results the player has there.
tStoreResult<void> RankIn(tResultStore& store, std::string_view gameType, std::string_view difficulty,
                          std::vector<tPlayerResult>& results) {
    const auto best = store.BestIds(gameType, difficulty, kRankLimit);
    if (!best) {
        return best.Failure();
    }
    std::unordered_map<int64_t, int64_t> rankOf;
    for (size_t i = 0; i < best->size(); ++i) {
        rankOf.emplace((*best)[i], static_cast<int64_t>(i) + 1);
    }
    for (tPlayerResult& result : results) {
        const auto at = rankOf.find(result.Result.Id);
        result.Rank = at == rankOf.end() ? kRankLimit + 1 : at->second;
    }
    return {};
}

std::optional<int64_t> ResultId(const QByteArray& text) {
    return DecimalUpTo(Bytes(text), std::numeric_limits<int64_t>::max());
}

} // namespace

tHttpReply AnswerPlayer(tRouteContext& context, const tRequest& request) {
    const QByteArray name = PlayerName(request);
    if (name.isEmpty()) {
        return NotFound("There is no player at this address.");
    }
    tResultStore& store = context.Results;
    const auto stored = store.OfPlayer(Bytes(name));
    if (!stored) {
        return DatabaseFailed(stored.Problem());
    }
    if (stored->empty()) {
        return NotFound("No result is stored under this name.");
    }
    // Tables in the order of the rules, as the front page lists them.
    std::vector<tPlayerResult> listed;
    for (const tGameTypeRule& type : kGameTypes) {
        for (const tDifficultyRule& level : kDifficulties) {
            std::vector<tPlayerResult> inTable;
            for (const tScoreRecord& r : *stored) {
                if (r.GameType == type.Name && r.Difficulty == level.Name) {
                    inTable.push_back({r, 0});
                }
            }
            if (inTable.empty()) {
                continue;
            }
            if (const tStoreResult<void> ranked = RankIn(store, type.Name, level.Name, inTable); !ranked) {
                return DatabaseFailed(ranked.Problem());
            }
            listed.insert(listed.end(), inTable.begin(), inTable.end());
        }
    }
    return {status::ok, kHtmlType, PlayerPage(Bytes(name), listed), {}};
}

tHttpReply AnswerSearch(tRouteContext& context, const tRequest& request) {
    // The form sends UTF-8; names are kept in the code page, which has no letter for some of what can be
    // typed, and such a text is in no name.
    const QString wanted = QString::fromUtf8(request.Value("name").value_or(QByteArray()));
    // The searches' allowance is this process's own: it is there to keep one client from stalling the others'
    // pages here, not to count searches across processes.
    if (const tStoreResult<double> wait = context.Searches.Take(request.Client); wait && *wait > 0) {
        return TooMany("Too many searches", "Too many searches came from this address; wait a moment.",
                       *wait);
    }
    std::vector<std::string> names;
    if (!wanted.isEmpty() && IsRepresentable(wanted)) {
        auto found = context.Results.Names(ToCodePage(wanted), kSearchNames + 1);
        if (!found) {
            return DatabaseFailed(found.Problem());
        }
        names = std::move(*found);
    }
    const bool more = names.size() > kSearchNames;
    names.resize(std::min(names.size(), kSearchNames));
    return {status::ok, kHtmlType, SearchPage(wanted, names, more), {}};
}

tHttpReply AnswerResult(tRouteContext& context, const tRequest& request) {
    tResultStore& store = context.Results;
    const std::optional<int64_t> id = ResultId(request.Rest);
    const tStoreResult<std::optional<tScoreRecord>> found =
        id ? store.Find(*id) : tStoreResult<std::optional<tScoreRecord>>(std::nullopt);
    if (!found) {
        return DatabaseFailed(found.Problem());
    }
    if (!*found) {
        return NotFound("No result is stored at this address.");
    }
    const tScoreRecord& result = **found;
    const tStoreResult<int64_t> rank = store.Rank(result);
    if (!rank) {
        return DatabaseFailed(rank.Problem());
    }
    std::string finalWell;
    if (result.Verified) {
        const tStoreResult<std::optional<tReplayKept>> proof = store.FindProof(result.Id);
        if (!proof) {
            return DatabaseFailed(proof.Problem());
        }
        finalWell = *proof ? (*proof)->FinalWell : std::string();
    }
    if (!finalWell.empty() && HasViewer()) {
        return {status::ok, kHtmlType, ResultPage(result, *rank, finalWell, true), {}, ViewerPagePolicy()};
    }
    return {status::ok, kHtmlType, ResultPage(result, *rank, finalWell, false), {}};
}

tHttpReply AnswerReplay(tRouteContext& context, const tRequest& request) {
    const std::optional<int64_t> id = ResultId(request.Rest);
    const tStoreResult<std::optional<tReplayKept>> proof =
        id ? context.Results.FindProof(*id) : tStoreResult<std::optional<tReplayKept>>(std::nullopt);
    if (!proof) {
        return DatabaseFailed(proof.Problem());
    }
    if (!*proof) {
        return NotFound("No replay is kept for a result at this address.");
    }
    return {status::ok,
            kFileType,
            QByteArray::fromStdString((*proof)->Replay),
            {{field::content_disposition,
              "attachment; filename=\"stakkar-result-" + std::to_string(*id) + ".rep\""}}};
}
