// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// /healthz: what a supervisor or a load balancer asks to learn whether this server can serve, which it can
// while its database answers.

#include "server/uRoute.h"

tHttpReply AnswerHealth(tRouteContext& context, const tRequest& request);
