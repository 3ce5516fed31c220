// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/check/uWellPicture.h"

#include <array>

namespace {

constexpr int kCell = 16;
constexpr size_t kCells = static_cast<size_t>(kWellColumns) * kWellRows;
// Empty, a fixed block, the figure that ended the game, and that figure over a fixed block.
constexpr std::array<const char*, 4> kClasses{"", "block", "ender", "ender block"};
constexpr std::array<const char*, 4> kFills{"", "#5b7fb5", "#d9534f", "#8e2b28"};

} // namespace

std::string WellPicture(const tGameModel& game) {
    std::string picture;
    picture.reserve(kCells);
    for (int row = 1; row <= kWellRows; ++row) {
        for (int column = 1; column <= kWellColumns; ++column) {
            const int cell =
                (game.Well().At(column, row) != 0 ? 1 : 0) + (game.FigureCovers(column, row) ? 2 : 0);
            picture += static_cast<char>('0' + cell);
        }
    }
    return picture;
}

QString WellSvg(std::string_view picture) {
    if (picture.size() != kCells || picture.find_first_not_of("0123") != std::string_view::npos) {
        return {};
    }
    const int width = kWellColumns * kCell;
    const int height = kWellRows * kCell;
    QString svg = QString("<svg id=\"well\" xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" "
                          "viewBox=\"0 0 %1 %2\" role=\"img\"><title>The well at the end of the game</title>"
                          "<rect width=\"%1\" height=\"%2\" fill=\"#10141c\"/>")
                      .arg(width)
                      .arg(height);
    for (size_t i = 0; i < picture.size(); ++i) {
        const auto cell = static_cast<size_t>(picture[i] - '0');
        if (cell == 0) {
            continue;
        }
        const int x = static_cast<int>(i % kWellColumns) * kCell;
        const int y = static_cast<int>(i / kWellColumns) * kCell;
        svg += QString("<rect class=\"%1\" x=\"%2\" y=\"%3\" width=\"%4\" height=\"%4\" fill=\"%5\"/>")
                   .arg(kClasses[cell])
                   .arg(x)
                   .arg(y)
                   .arg(kCell - 1)
                   .arg(kFills[cell]);
    }
    return svg + "</svg>";
}
