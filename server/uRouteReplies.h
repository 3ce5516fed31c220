// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The answers the routes share when they cannot give the page asked for.

#include "server/http/uHttpReply.h"

#include <QString>

#include <string>

tHttpReply NotFound(const QString& problem);
// Tells the operator on stderr what failed, and the visitor only that the database did not answer.
tHttpReply DatabaseFailed(const QString& problem);
// 405 with "Allow: GET", to a HEAD of an address that a HEAD must not reach.
tHttpReply GetOnly();
// An upload that is not taken; problem is a sentence for the sender.
tHttpReply Refused(boost::beast::http::status code, const std::string& problem);
// 429 with Retry-After: the client's allowance is spent for the next wait seconds.
tHttpReply TooMany(const QString& title, const QString& problem, double wait);
