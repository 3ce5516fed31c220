// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/uTableRoutes.h"

#include "server/check/uFieldForms.h"
#include "server/check/uScoreTables.h"
#include "server/pages/uScoreJson.h"
#include "server/pages/uScorePages.h"
#include "server/pages/uTablePaging.h"
#include "server/uRouteReplies.h"

#include <chrono>
#include <limits>
#include <optional>
#include <vector>

namespace {

using boost::beast::http::status;

// Far beyond any table, and low enough that the offset of the page cannot overflow.
constexpr int64_t kMaxPage = std::numeric_limits<int64_t>::max() / kTableRows;

// The page the query's page= asks for, 1 without it; nothing, and why in words, when it is no number from 1
// up.
std::optional<int64_t> RequestedPage(const tRequest& request, QString& problem) {
    const std::optional<QByteArray> value = request.Value("page");
    if (!value) {
        return 1;
    }
    const std::optional<int64_t> number =
        DecimalUpTo(std::string_view(value->constData(), static_cast<size_t>(value->size())), kMaxPage);
    if (!number || *number < 1) {
        bool written = false;
        const qlonglong asked = value->toLongLong(&written);
        problem = written && asked < 1
                      ? QString("There is no page %1 of this table; pages count from 1.").arg(asked)
                      : QString("The address names its page in no way a page is counted; pages count from 1, "
                                "in digits.");
        return std::nullopt;
    }
    return number;
}

std::string Text(const QByteArray& bytes) {
    return bytes.toStdString();
}

// Games enough to show that the tables live, few enough for a phone's screen.
constexpr int64_t kLatestOnFront = 10;
constexpr std::chrono::seconds kFrontGamesFor{1};

// A problem of the database when the games could not be read again.
std::optional<QString> ReadFrontGames(tRouteContext& context) {
    tFrontGames& front = context.Front;
    const auto now = std::chrono::steady_clock::now();
    const std::uint64_t taken = context.Tally.Taken;
    if (front.TakenThen == taken && now - front.ReadAt < kFrontGamesFor) {
        return std::nullopt;
    }
    const auto latest = context.Results.LatestVerified(kLatestOnFront);
    if (!latest) {
        return latest.Problem();
    }
    std::vector<tScoreRecord> best;
    for (const tGameTypeRule& type : kGameTypes) {
        for (const tDifficultyRule& difficulty : kDifficulties) {
            const auto first = context.Results.Best(type.Name, difficulty.Name, 0, 1);
            if (!first) {
                return first.Problem();
            }
            best.insert(best.end(), first->begin(), first->end());
        }
    }
    front = {*latest, std::move(best), now, taken};
    return std::nullopt;
}

} // namespace

tHttpReply AnswerFront(tRouteContext& context, const tRequest&) {
    const auto tables = context.Results.Tables();
    if (!tables) {
        return DatabaseFailed(tables.Problem());
    }
    if (const std::optional<QString> problem = ReadFrontGames(context)) {
        return DatabaseFailed(*problem);
    }
    return {status::ok, kHtmlType, FrontPage(*tables, context.Front.Latest, context.Front.Best), {}};
}

tHttpReply AnswerTable(tRouteContext& context, const tRequest& request) {
    const QList<QByteArray> parts = request.Rest.split('/');
    const bool json = parts.size() == 2 && parts[1].endsWith(".json");
    const std::string gameType = Text(parts.value(0));
    const std::string difficulty = Text(json ? parts[1].chopped(5) : parts.value(1));
    if (parts.size() != 2 || !IsGameType(gameType) || !DifficultyIndex(difficulty)) {
        return NotFound("There is no such table; the front page lists them all.");
    }
    QString problem;
    const std::optional<int64_t> number = RequestedPage(request, problem);
    if (!number) {
        return NotFound(problem);
    }
    const auto page = ReadTablePage(context.Results, gameType, difficulty, *number);
    if (!page) {
        return DatabaseFailed(page.Problem());
    }
    if (page->PastEnd()) {
        return {status::not_found, kHtmlType, PastEndPage(*page), {}};
    }
    if (json) {
        return {status::ok, kJsonType, TableJson(*page), {}};
    }
    return {status::ok, kHtmlType, TablePage(*page), {}};
}
