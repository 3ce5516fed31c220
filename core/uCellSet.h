// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which cells of the well a command changed, one bit a cell.

#include "core/uWell.h"

#include <array>
#include <cstdint>

// A set of well cells, one bit each.
class tCellSet {
public:
    void Add(int column, int row) {
        const int i = Index(column, row);
        bits_[static_cast<size_t>(i >> 6)] |= uint64_t{1} << (i & 63);
    }
    bool Contains(int column, int row) const {
        const int i = Index(column, row);
        return (bits_[static_cast<size_t>(i >> 6)] >> (i & 63)) & 1u;
    }
    // Rows first..last, every column.
    void AddRows(int first, int last) {
        for (int row = first; row <= last; ++row) {
            for (int column = 1; column <= kWellColumns; ++column) {
                Add(column, row);
            }
        }
    }
    void AddAll() { AddRows(1, kWellRows); }
    bool Empty() const { return (bits_[0] | bits_[1] | bits_[2] | bits_[3]) == 0; }
    tCellSet& operator|=(const tCellSet& other) {
        for (size_t i = 0; i < bits_.size(); ++i) {
            bits_[i] |= other.bits_[i];
        }
        return *this;
    }
    // Calls visit(column, row) for every cell of the set, column by column.
    template <typename tVisit> void ForEach(tVisit&& visit) const {
        for (size_t word = 0; word < bits_.size(); ++word) {
            for (uint64_t bits = bits_[word]; bits != 0; bits &= bits - 1) {
                const int i = static_cast<int>(word * 64) + __builtin_ctzll(bits);
                visit(i / kWellRows + 1, i % kWellRows + 1);
            }
        }
    }

private:
    static int Index(int column, int row) { return (column - 1) * kWellRows + (row - 1); }
    std::array<uint64_t, 4> bits_{};
};
