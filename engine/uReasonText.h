// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The reasons the program gives for a replay it cannot read and a save it could not make, in the player's
// language; reasons in the system's words (a file system's error) stay as the system gives them.

#include "platform/uSaveFile.h"
#include "storage/uReplayFile.h"

#include <QString>

// Empty when the bytes were read.
QString ReplayReason(const tReplayRead& read);
QString SaveReason(const tSaveError& error);
