// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// /metrics: what the server has counted, in the text a Prometheus scraper reads.

#include "server/uRoute.h"

tHttpReply AnswerMetrics(tRouteContext& context, const tRequest& request);
