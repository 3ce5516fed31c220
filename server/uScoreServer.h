// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The server's answers: the upload page the game sends results to, the table pages and their JSON, and the
// pages of players, the search and single results.

#include "server/uRateLimiter.h"
#include "server/uScoreDatabase.h"

#include <QAbstractHttpServer>
#include <QByteArray>
#include <QHttpServerResponder>

// Longer addresses are refused before anything is read from them; the longest result the game can send is
// well under it.
inline constexpr qsizetype kMaxAddressBytes = 4096;

class tScoreServer : public QAbstractHttpServer {
public:
    tScoreServer(tScoreDatabase& database, tRateLimiter& limiter);

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    struct tReply {
        QHttpServerResponder::StatusCode Status = QHttpServerResponder::StatusCode::Ok;
        QByteArray Type;
        QByteArray Body;
    };
    static void Send(const QHttpServerRequest& request, QTcpSocket* socket, const tReply& reply);
    tReply Answer(const QHttpServerRequest& request);
    tReply Upload(const QHttpServerRequest& request);
    tReply Table(const QString& rest, const QByteArray& query);
    tReply Front();
    tReply DatabaseFailed(const QString& problem);

    tScoreDatabase& Database;
    tRateLimiter& Limiter;
};
