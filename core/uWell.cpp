// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/uWell.h"

#include "core/uFigureSet.h"
#include "core/uRandom.h"

#include <bit>

void tWell::Clear() {
    columns_.fill(0);
}

bool tWell::Fits(const tFigureBlocks& blocks, int x, int y) const {
    for (int i = 0; i < blocks.Count; ++i) {
        const int column = x + blocks.Columns[static_cast<size_t>(i)];
        const int row = y + blocks.Rows[static_cast<size_t>(i)];
        if (column < 1 || column > kWellColumns || row > kWellRows) {
            return false;
        }
        if (row >= 1 && At(column, row) != 0) {
            return false;
        }
    }
    return true;
}

int tWell::BlockBelow(int column, int row) const {
    if (row >= kWellRows) {
        return row + 1;
    }
    const uint32_t blocks = columns_[column - 1] | uint32_t{1} << (kWellRows + 1);
    return std::countr_zero(row < 0 ? blocks : blocks & ~((uint32_t{2} << row) - 1));
}

bool tWell::RowIsFull(int row) const {
    return (FullRows() >> row) & 1u;
}

bool tWell::RowIsEmpty(int row) const {
    return ((BlockRows() >> row) & 1u) == 0;
}

uint32_t tWell::BlockRows() const {
    uint32_t rows = 0;
    for (const uint32_t column : columns_) {
        rows |= column;
    }
    return rows;
}

uint32_t tWell::FullRows() const {
    uint32_t rows = ~uint32_t{0};
    for (const uint32_t column : columns_) {
        rows &= column;
    }
    return rows;
}

int tWell::RemoveRow(int row) {
    const uint32_t blockRows = BlockRows();
    int k = row;
    while (k > 1 && ((blockRows >> k) & 1u) != 0) {
        --k;
    }
    // Rows k + 1 to row take the rows above them and row k empties.
    const uint32_t moved = ((uint32_t{2} << row) - 1) & ~((uint32_t{2} << k) - 1);
    const uint32_t kept = ~(moved | (uint32_t{1} << k));
    for (uint32_t& column : columns_) {
        column = (column & kept) | ((column << 1) & moved);
    }
    return k;
}

int tWell::ArrowRow() const {
    const uint32_t blockRows = BlockRows();
    int k = kWellRows;
    while (k >= 1 && ((blockRows >> k) & 1u) != 0) {
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
