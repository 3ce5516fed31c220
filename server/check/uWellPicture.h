// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The well a verified game ended with, as the server keeps it and draws it: 200 digits, the rows from the
// top, each cell 0 empty, 1 a fixed block, 2 the figure that ended the game, 3 that figure over a fixed
// block. The image is drawn from these numbers alone, so nothing a player sent can reach it.

#include "core/uGameModel.h"

#include <QString>

#include <string>
#include <string_view>

std::string WellPicture(const tGameModel& game);
// An inline SVG image of the picture, a cell of 16 pixels; empty when the text is no picture.
QString WellSvg(std::string_view picture);
