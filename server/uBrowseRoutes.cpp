// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/uBrowseRoutes.h"

#include "core/uRules.h"
#include "platform/uCodePage.h"
#include "server/uFieldForms.h"
#include "server/uPageAddresses.h"
#include "server/uPlayerPages.h"
#include "server/uQueryValues.h"
#include "server/uResultPage.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

namespace {

std::string_view Bytes(const QByteArray& text) {
    return {text.constData(), static_cast<size_t>(text.size())};
}

// The ranks of the player's results in one table, from the table's best kRankLimit, which a single walk of
// the ranking index reads however many results the player has there.
bool RankIn(tScoreDatabase& database, std::string_view gameType, std::string_view difficulty,
            std::vector<tPlayerResult>& results, QString& problem) {
    const auto best = database.BestIds(gameType, difficulty, kRankLimit, problem);
    if (!best) {
        return false;
    }
    std::unordered_map<int64_t, int64_t> rankOf;
    for (size_t i = 0; i < best->size(); ++i) {
        rankOf.emplace((*best)[i], static_cast<int64_t>(i) + 1);
    }
    for (tPlayerResult& result : results) {
        const auto at = rankOf.find(result.Result.Id);
        result.Rank = at == rankOf.end() ? kRankLimit + 1 : at->second;
    }
    return true;
}

tPageReply Player(tScoreDatabase& database, const QByteArray& name) {
    QString problem;
    const auto stored = database.OfPlayer(Bytes(name), problem);
    if (!stored) {
        return DatabaseFailedReply(problem);
    }
    if (stored->empty()) {
        return NotFoundReply("No result is stored under this name.");
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
            if (!inTable.empty() && !RankIn(database, type.Name, level.Name, inTable, problem)) {
                return DatabaseFailedReply(problem);
            }
            listed.insert(listed.end(), inTable.begin(), inTable.end());
        }
    }
    return {200, kHtmlType, PlayerPage(Bytes(name), listed)};
}

tPageReply Search(tScoreDatabase& database, const QByteArray& query) {
    // The form sends UTF-8; names are kept in the code page, which has no letter for some of what can be
    // typed, and such a text is in no name.
    const QString wanted = QString::fromUtf8(QueryValue(query, "name").value_or(QByteArray()));
    std::vector<std::string> names;
    if (!wanted.isEmpty() && IsRepresentable(wanted)) {
        const std::string part = LowerText(ToCodePage(wanted));
        QString problem;
        auto found = database.Names(
            [&part](std::string_view name) { return LowerText(name).find(part) != std::string::npos; },
            kSearchNames + 1, problem);
        if (!found) {
            return DatabaseFailedReply(problem);
        }
        names = std::move(*found);
    }
    const bool more = names.size() > kSearchNames;
    names.resize(std::min(names.size(), kSearchNames));
    return {200, kHtmlType, SearchPage(wanted, names, more)};
}

std::optional<int64_t> ResultId(const QByteArray& text) {
    return DecimalUpTo(Bytes(text), std::numeric_limits<int64_t>::max());
}

tPageReply Result(tScoreDatabase& database, const QByteArray& idText) {
    const std::optional<int64_t> id = ResultId(idText);
    std::optional<tScoreRecord> found;
    QString problem;
    if (id && !database.Find(*id, found, problem)) {
        return DatabaseFailedReply(problem);
    }
    if (!found) {
        return NotFoundReply("No result is stored at this address.");
    }
    const std::optional<int64_t> rank = database.Rank(*found, problem);
    std::optional<tReplayKept> proof;
    if (!rank || (found->Verified && !database.FindProof(found->Id, proof, problem))) {
        return DatabaseFailedReply(problem);
    }
    return {200, kHtmlType, ResultPage(*found, *rank, proof ? proof->FinalWell : std::string())};
}

tPageReply Replay(tScoreDatabase& database, const QByteArray& idText) {
    const std::optional<int64_t> id = ResultId(idText);
    std::optional<tReplayKept> proof;
    QString problem;
    if (id && !database.FindProof(*id, proof, problem)) {
        return DatabaseFailedReply(problem);
    }
    if (!proof) {
        return NotFoundReply("No replay is kept for a result at this address.");
    }
    return {200,
            kFileType,
            QByteArray::fromStdString(proof->Replay),
            {{boost::beast::http::field::content_disposition,
              "attachment; filename=\"stakkar-result-" + std::to_string(*id) + ".rep\""}}};
}

} // namespace

std::optional<tPageReply> BrowseReply(tScoreDatabase& database, const QByteArray& encodedPath,
                                      const QByteArray& query) {
    if (encodedPath.startsWith("/players/")) {
        const QByteArray name = PlayerName(encodedPath.mid(9), query);
        return name.isEmpty() ? NotFoundReply("There is no player at this address.") : Player(database, name);
    }
    if (encodedPath == "/search") {
        return Search(database, query);
    }
    if (encodedPath.startsWith("/results/")) {
        const QByteArray rest = encodedPath.mid(9);
        const QByteArray replay = "/replay.rep";
        return rest.endsWith(replay) ? Replay(database, rest.chopped(replay.size())) : Result(database, rest);
    }
    return std::nullopt;
}
