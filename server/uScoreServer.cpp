// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/uScoreServer.h"

#include "server/uBrowseRoutes.h"
#include "server/uPageReply.h"
#include "server/uReplayCheck.h"
#include "server/uScoreJson.h"
#include "server/uScorePages.h"
#include "server/uScoreTables.h"
#include "server/uTablePaging.h"
#include "server/uUploadCheck.h"

#include <cmath>

namespace {

using boost::beast::http::field;
using boost::beast::http::status;

// The query's parameters with their values as bytes: QUrlQuery would turn the Windows-1251 bytes of a name
// into replacement characters, since it reads every value as UTF-8.
QByteArray RawValue(const QByteArray& query, const QByteArray& key) {
    for (const QByteArray& pair : query.split('&')) {
        const qsizetype equals = pair.indexOf('=');
        const QByteArray name = QByteArray::fromPercentEncoding(pair.left(equals < 0 ? pair.size() : equals));
        if (name == key) {
            return equals < 0 ? QByteArray() : QByteArray::fromPercentEncoding(pair.mid(equals + 1));
        }
    }
    return {};
}

bool HasKey(const QByteArray& query, const QByteArray& key) {
    for (const QByteArray& pair : query.split('&')) {
        const qsizetype equals = pair.indexOf('=');
        if (QByteArray::fromPercentEncoding(pair.left(equals < 0 ? pair.size() : equals)) == key) {
            return true;
        }
    }
    return false;
}

// The pages of players, the search and single results answer in a form of their own.
tHttpReply FromPage(const tPageReply& page) {
    const char* type = kHtmlType;
    for (const char* known : {kJsonType, kFileType}) {
        if (page.Type == known) {
            type = known;
        }
    }
    return {static_cast<status>(page.Status), type, page.Body, page.Headers};
}

tHttpReply NotFound(const QString& problem) {
    return FromPage(NotFoundReply(problem));
}

tHttpReply Refused(status code, const std::string& problem) {
    return {code,
            kHtmlType,
            ProblemPage("Result refused", QString::fromStdString(problem) + " Nothing was stored."),
            {}};
}

} // namespace

tScoreServer::tScoreServer(tScoreDatabase& database, tRateLimiter& limiter, bool requireReplay)
    : Database(database), Limiter(limiter), RequireReplay(requireReplay) {}

tHttpReply tScoreServer::Answer(std::string_view target, const std::string& client) {
    const size_t mark = target.find('?');
    const std::string_view rawPath = target.substr(0, mark);
    const QString path = QString::fromUtf8(
        QByteArray::fromPercentEncoding(QByteArray(rawPath.data(), static_cast<qsizetype>(rawPath.size()))));
    if (path == "/" || (path == "/index.php" && mark == std::string_view::npos)) {
        return Front();
    }
    if (path == "/index.php") {
        const std::string_view query = target.substr(mark + 1);
        return Upload(QByteArray(query.data(), static_cast<qsizetype>(query.size())), client);
    }
    const std::string_view rawQuery =
        mark == std::string_view::npos ? std::string_view() : target.substr(mark + 1);
    const QByteArray query(rawQuery.data(), static_cast<qsizetype>(rawQuery.size()));
    if (path.startsWith("/scores/")) {
        return Table(path.mid(8), query);
    }
    if (const std::optional<tPageReply> page = BrowseReply(
            Database, QByteArray(rawPath.data(), static_cast<qsizetype>(rawPath.size())), query)) {
        return FromPage(*page);
    }
    return NotFound("There is no page at this address.");
}

tHttpReply tScoreServer::Upload(const QByteArray& query, const std::string& client) {
    if (RawValue(query, "tab") != "hscore" || !HasKey(query, "data")) {
        return {status::bad_request,
                kHtmlType,
                ProblemPage("Result refused", "The address does not hold tab=hscore and data=."),
                {}};
    }
    const tRateLimiter::tClock::time_point now = tRateLimiter::tClock::now();
    if (const double wait = Limiter.Wait(client, now); wait > 0) {
        return {status::too_many_requests,
                kHtmlType,
                ProblemPage("Too many uploads", "Too many results came from this address; wait a minute."),
                {{field::retry_after, std::to_string(static_cast<long long>(std::ceil(wait)))}}};
    }
    const QByteArray data = RawValue(query, "data");
    const tUploadVerdict verdict =
        CheckUpload(std::string_view(data.constData(), static_cast<size_t>(data.size())));
    if (!verdict.Record) {
        return Refused(status::bad_request, verdict.Problem);
    }
    if (!HasKey(query, "replay")) {
        if (RequireReplay) {
            return Refused(status::forbidden,
                           "This server takes a result only with the replay of its game, and "
                           "this one came without; a newer version of the game sends it.");
        }
        return Store(*verdict.Record, nullptr, tUnproven::NoReplay, client, now);
    }
    // Playing a game again is the dearest work an upload can ask for, so it counts however it ends.
    Limiter.Take(client, now);
    tHttpReply reply;
    reply.Work = [this, record = *verdict.Record, text = RawValue(query, "replay"), client,
                  now]() -> tHttpFinish {
        // On a worker: the replay and the record alone, no database and no limiter.
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
            if (RequireReplay) {
                return [problem = std::move(checked.Problem)] {
                    return Refused(status::forbidden,
                                   problem + " This server takes a result only with a replay it can check; a "
                                             "newer version of the game sends one.");
                };
            }
            return [this, record, client, now] {
                return Store(record, nullptr, tUnproven::UntimedReplay, client, now);
            };
        }
        return [this, record,
                proof = tReplayKept{std::move(bytes), std::move(checked.FinalWell), std::move(checked.Game)},
                client, now] { return Store(record, &proof, tUnproven::NoReplay, client, now); };
    };
    return reply;
}

tHttpReply tScoreServer::Store(const tScoreRecord& record, const tReplayKept* proof, tUnproven unproven,
                               const std::string& client, tRateLimiter::tClock::time_point now) {
    QString problem;
    const std::optional<tStoreOutcome> outcome = Database.Store(record, problem, proof);
    if (!outcome) {
        return DatabaseFailed(problem);
    }
    if (outcome->ProvenBefore) {
        return Refused(status::conflict, "This game's replay already proves result " +
                                             std::to_string(*outcome->ProvenBefore) +
                                             "; one game proves one result.");
    }
    if (outcome->Fresh && proof == nullptr && unproven == tUnproven::NoReplay) {
        Limiter.Take(client, now);
    }
    return {status::ok, kHtmlType, TakenPage(record, *outcome, unproven), {}};
}

tHttpReply tScoreServer::Table(const QString& rest, const QByteArray& query) {
    const QStringList parts = rest.split('/');
    const bool json = parts.size() == 2 && parts[1].endsWith(".json");
    const std::string gameType = parts.value(0).toStdString();
    const std::string difficulty = (json ? parts[1].chopped(5) : parts.value(1)).toStdString();
    const std::optional<int64_t> number = RequestedPage(query);
    if (parts.size() != 2 || !IsGameType(gameType) || !DifficultyIndex(difficulty) || !number) {
        return NotFound("There is no such table; the front page lists them all.");
    }
    QString problem;
    const auto page = ReadTablePage(Database, gameType, difficulty, *number, problem);
    if (!page) {
        return DatabaseFailed(problem);
    }
    if (page->PastEnd()) {
        return {status::not_found, kHtmlType, PastEndPage(*page), {}};
    }
    if (json) {
        return {status::ok, kJsonType, TableJson(*page), {}};
    }
    return {status::ok, kHtmlType, TablePage(*page), {}};
}

tHttpReply tScoreServer::Front() {
    QString problem;
    const auto tables = Database.Tables(problem);
    if (!tables) {
        return DatabaseFailed(problem);
    }
    return {status::ok, kHtmlType, FrontPage(*tables), {}};
}

tHttpReply tScoreServer::DatabaseFailed(const QString& problem) {
    return FromPage(DatabaseFailedReply(problem));
}
