// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An answer of the browsing pages as the HTTP layer sends it, with the status as its number.

#include "server/uHttpReply.h"

#include <QByteArray>
#include <QString>

struct tPageReply {
    int Status = 200;
    // One of the types of uHttpReply.h.
    QByteArray Type = kHtmlType;
    QByteArray Body;
    // The lines this answer adds, such as Content-Disposition.
    std::vector<std::pair<boost::beast::http::field, std::string>> Headers = {};
};

tPageReply NotFoundReply(const QString& problem);
// Tells the operator on stderr what failed, and the visitor only that the database did not answer.
tPageReply DatabaseFailedReply(const QString& problem);
