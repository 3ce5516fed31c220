// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The address the game sends a result to: /index.php?tab=hscore&data=...[&replay=...]. The result is checked,
// its replay, when it has one, played again on a worker, and then it is stored once.

#include "server/uRoute.h"

tHttpReply AnswerUpload(tRouteContext& context, const tRequest& request);
