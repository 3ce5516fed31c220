// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the well says over itself, in the language of the moment.

#include "core/uGameModel.h"

#include <QString>

QString WellMessageText(tWellMessage message);
