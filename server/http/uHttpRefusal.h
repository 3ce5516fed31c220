// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The answers of the HTTP layer itself, to requests it will not hand on: a short page saying why.

#include "server/http/uHttpReply.h"

// code: 400, 405, 413, 414, 431 or 503.
tHttpReply Refusal(boost::beast::http::status code);
// 503 with Retry-After: the replay checks waiting are too many, in all or from this client.
tHttpReply ChecksRefusal(long retrySeconds);
