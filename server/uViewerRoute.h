// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// /viewer/NAME: the game viewer's files, the same bytes for as long as this build serves, so that a browser
// keeps them for a year and asks again only with a new version in their address.

#include "server/uRoute.h"

tHttpReply AnswerViewerFile(tRouteContext& context, const tRequest& request);
