// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/uScoreServer.h"

#include "server/uBrowseRoutes.h"
#include "server/uScoreJson.h"
#include "server/uScorePages.h"
#include "server/uScoreTables.h"
#include "server/uTablePaging.h"
#include "server/uUploadCheck.h"

#include <QHttpServerRequest>
#include <QTextStream>

#include <cstdio>

namespace {

using tStatus = QHttpServerResponder::StatusCode;

constexpr const char* kHtml = "text/html; charset=utf-8";
constexpr const char* kJson = "application/json";

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

} // namespace

tScoreServer::tScoreServer(tScoreDatabase& database, tRateLimiter& limiter)
    : Database(database), Limiter(limiter) {}

bool tScoreServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
    Send(request, socket, Answer(request));
    return true;
}

void tScoreServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) {
    Send(request, socket,
         {tStatus::NotFound, kHtml, ProblemPage("Not found", "There is no page at this address.")});
}

void tScoreServer::Send(const QHttpServerRequest& request, QTcpSocket* socket, const tReply& reply) {
    QHttpServerResponder responder = makeResponder(request, socket);
    // Nothing on these pages runs or loads from elsewhere, whatever a name holds.
    responder.write(reply.Body,
                    {{"Content-Type", reply.Type},
                     {"X-Content-Type-Options", "nosniff"},
                     {"Content-Security-Policy", "default-src 'none'; style-src 'unsafe-inline'"}},
                    reply.Status);
}

tScoreServer::tReply tScoreServer::Answer(const QHttpServerRequest& request) {
    if (request.method() != QHttpServerRequest::Method::Get) {
        return {tStatus::MethodNotAllowed, kHtml,
                ProblemPage("Method not allowed", "Only GET is answered here.")};
    }
    if (request.url().toEncoded().size() > kMaxAddressBytes) {
        return {tStatus::UriTooLong, kHtml,
                ProblemPage("Address too long",
                            QString("The address is longer than %1 bytes; no result is that long.")
                                .arg(kMaxAddressBytes))};
    }
    const QString path = request.url().path();
    const QByteArray query = request.url().query(QUrl::FullyEncoded).toLatin1();
    if (path == "/" || (path == "/index.php" && !request.url().hasQuery())) {
        return Front();
    }
    if (path == "/index.php") {
        return Upload(request);
    }
    if (path.startsWith("/scores/")) {
        return Table(path.mid(8), query);
    }
    if (const std::optional<tPageReply> page =
            BrowseReply(Database, request.url().path(QUrl::FullyEncoded).toLatin1(), query)) {
        return {static_cast<tStatus>(page->Status), page->Type, page->Body};
    }
    return {tStatus::NotFound, kHtml, ProblemPage("Not found", "There is no page at this address.")};
}

tScoreServer::tReply tScoreServer::Upload(const QHttpServerRequest& request) {
    const QByteArray query = request.url().query(QUrl::FullyEncoded).toLatin1();
    if (RawValue(query, "tab") != "hscore" || !HasKey(query, "data")) {
        return {tStatus::BadRequest, kHtml,
                ProblemPage("Result refused", "The address does not hold tab=hscore and data=.")};
    }
    if (!Limiter.Take(request.remoteAddress().toString(), tRateLimiter::tClock::now())) {
        return {tStatus::TooManyRequests, kHtml,
                ProblemPage("Too many uploads", "Too many results came from this address; wait a minute.")};
    }
    const QByteArray data = RawValue(query, "data");
    const tUploadVerdict verdict =
        CheckUpload(std::string_view(data.constData(), static_cast<size_t>(data.size())));
    if (!verdict.Record) {
        return {
            tStatus::BadRequest, kHtml,
            ProblemPage("Result refused", QString::fromStdString(verdict.Problem) + " Nothing was stored.")};
    }
    QString problem;
    const std::optional<tStoreOutcome> outcome = Database.Store(*verdict.Record, problem);
    if (!outcome) {
        return DatabaseFailed(problem);
    }
    return {tStatus::Ok, kHtml, TakenPage(*verdict.Record, *outcome)};
}

tScoreServer::tReply tScoreServer::Table(const QString& rest, const QByteArray& query) {
    const QStringList parts = rest.split('/');
    const bool json = parts.size() == 2 && parts[1].endsWith(".json");
    const std::string gameType = parts.value(0).toStdString();
    const std::string difficulty = (json ? parts[1].chopped(5) : parts.value(1)).toStdString();
    const std::optional<int64_t> number = RequestedPage(query);
    if (parts.size() != 2 || !IsGameType(gameType) || !DifficultyIndex(difficulty) || !number) {
        return {tStatus::NotFound, kHtml,
                ProblemPage("Not found", "There is no such table; the front page lists them all.")};
    }
    QString problem;
    const auto page = ReadTablePage(Database, gameType, difficulty, *number, problem);
    if (!page) {
        return DatabaseFailed(problem);
    }
    if (page->PastEnd()) {
        return {tStatus::NotFound, kHtml, PastEndPage(*page)};
    }
    if (json) {
        return {tStatus::Ok, kJson, TableJson(*page)};
    }
    return {tStatus::Ok, kHtml, TablePage(*page)};
}

tScoreServer::tReply tScoreServer::Front() {
    QString problem;
    const auto tables = Database.Tables(problem);
    if (!tables) {
        return DatabaseFailed(problem);
    }
    return {tStatus::Ok, kHtml, FrontPage(*tables)};
}

tScoreServer::tReply tScoreServer::DatabaseFailed(const QString& problem) {
    std::fprintf(stderr, "stakkar-scores: %s\n", qPrintable(problem));
    return {tStatus::ServiceUnavailable, kHtml,
            ProblemPage("Database unavailable",
                        "The database did not answer; nothing was stored. Try again later.")};
}
