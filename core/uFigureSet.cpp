// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/uFigureSet.h"

#include "core/uRandom.h"

namespace {

struct tFigureEntry {
    const char* picture;
    int boxKind;
    bool toggle;
};

// Each figure in its initial orientation.
constexpr tFigureEntry kFigures[kFigureKinds] = {
    {"....|....|####|....", 0, true},  // bar of four
    {"....|..#.|###.|....", 1, false}, // L
    {"....|###.|..#.|....", 2, false}, // J
    {"....|.##.|.##.|....", 0, false}, // square
    {"....|###.|.#..|....", 1, false}, // T
    {"....|##..|.##.|....", 1, true},  // Z
    {"....|.##.|##..|....", 2, true},  // S
    {"....|....|###.|....", 2, false}, // bar of three
    {"....|.#..|.##.|....", 0, false}, // corner of three
    {"....|....|.##.|....", 0, true},  // bar of two
    {"....|....|.#..|....", 2, false}, // single block
};

} // namespace

void BuildFigureTable(tFigureTable& table) {
    for (int n = 0; n < kFigureKinds; ++n) {
        table[n] = FigureFromPicture(kFigures[n].picture, kFigures[n].boxKind, kFigures[n].toggle);
    }
}

bool HasBlocks(const tFigure& figure) {
    for (const auto& column : figure.Cells) {
        for (const uint8_t cell : column) {
            if (cell != 0) {
                return true;
            }
        }
    }
    return false;
}

tFigure FigureFromPicture(std::string_view picture, int boxKind, bool toggle) {
    tFigure figure;
    figure.BoxKind = boxKind;
    figure.Toggle = toggle ? 1 : 0;
    int r = 0;
    int c = 0;
    for (const char ch : picture) {
        if (ch == '|') {
            ++r;
            c = 0;
            continue;
        }
        if (r < 4 && c < 4) {
            figure.Cells[c][r] = ch == '#' ? 1 : 0;
        }
        ++c;
    }
    return figure;
}

std::string PictureOf(const tFigure& figure) {
    std::string picture;
    for (int r = 1; r <= 4; ++r) {
        if (r > 1) {
            picture += '|';
        }
        for (int c = 1; c <= 4; ++c) {
            picture += IsBlock(figure, c, r) ? '#' : '.';
        }
    }
    return picture;
}

tFigure TurnFigure(const tFigure& figure, int direction) {
    if (figure.Toggle != 0) {
        direction = figure.ToggleState == 0 ? -1 : 1;
    }
    const int n = figure.BoxKind == 0 ? 4 : 3;
    const int lo = figure.BoxKind == 2 ? 2 : 1;
    const int hi = lo + n - 1;

    tFigure turned;
    turned.BoxKind = figure.BoxKind;
    turned.Toggle = figure.Toggle;
    turned.ToggleState =
        figure.Toggle != 0 ? static_cast<uint8_t>(figure.ToggleState == 0 ? 1 : 0) : figure.ToggleState;
    for (int c = 1; c <= n; ++c) {
        for (int r = lo; r <= hi; ++r) {
            const int toColumn = direction < 0 ? n + lo - r : r - lo + 1;
            const int toRow = direction < 0 ? c + lo - 1 : hi + 1 - c;
            turned.Cells[toColumn - 1][toRow - 1] = figure.Cells[c - 1][r - 1];
        }
    }
    return turned;
}

tFigure RandomFigure(const tFigureTable& table, int figureCount, tRandom& random) {
    return table[static_cast<size_t>(random.Below(figureCount))];
}
