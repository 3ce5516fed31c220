// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/uWell.h"

#include "core/uFigureSet.h"
#include "core/uRandom.h"

void tWell::Clear() {
    for (auto& column : cells_) {
        column.fill(0);
    }
}

bool tWell::Fits(const tFigure& figure, int x, int y) const {
    for (int c = 1; c <= 4; ++c) {
        for (int r = 1; r <= 4; ++r) {
            if (!IsBlock(figure, c, r)) {
                continue;
            }
            const int column = x + c - 1;
            const int row = y + r - 1;
            if (column < 1 || column > kWellColumns || row > kWellRows) {
                return false;
            }
            if (row >= 1 && At(column, row) != 0) {
                return false;
            }
        }
    }
    return true;
}

bool tWell::RowIsFull(int row) const {
    for (int column = 1; column <= kWellColumns; ++column) {
        if (At(column, row) == 0) {
            return false;
        }
    }
    return true;
}

bool tWell::RowIsEmpty(int row) const {
    for (int column = 1; column <= kWellColumns; ++column) {
        if (At(column, row) != 0) {
            return false;
        }
    }
    return true;
}

int tWell::RemoveRow(int row) {
    int k = row;
    while (k > 1 && !RowIsEmpty(k)) {
        for (int column = 1; column <= kWellColumns; ++column) {
            Set(column, k, At(column, k - 1));
        }
        --k;
    }
    for (int column = 1; column <= kWellColumns; ++column) {
        Set(column, k, 0);
    }
    return k;
}

int tWell::ArrowRow() const {
    int k = kWellRows;
    while (k >= 1 && !RowIsEmpty(k)) {
        --k;
    }
    return k < kWellRows ? k + 1 : kWellRows;
}

void tWell::LayBrokenLines(int count, tRandom& random) {
    for (int i = 1; i <= count; ++i) {
        const int row = kWellRows + 1 - i;
        for (int column = 1; column <= kWellColumns; ++column) {
            if (random.Below(2) == 1 && Inside(column, row)) {
                Set(column, row, 1);
            }
        }
    }
}
