// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A well's fixed blocks as text, '#' a block and '.' a free cell, a row a line: two wells compare as their
// pictures, and a failing test shows both.

#include "core/uWell.h"

#include <string>

inline std::string WellPicture(const tWell& well) {
    std::string picture;
    for (int row = 1; row <= kWellRows; ++row) {
        for (int column = 1; column <= kWellColumns; ++column) {
            picture += well.At(column, row) != 0 ? '#' : '.';
        }
        picture += '\n';
    }
    return picture;
}
