// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rows of the high score table, drawn cell by cell in the skin's row colours.

#include "engine/uhiscore.h"

#include <QWidget>

#include <array>
#include <string>

class QPainter;

inline constexpr int kHSRowHeight = 20;
inline constexpr std::array<int, 3> kHSColumnWidths{110, 50, 68};

// The rows of the table; every cell is drawn by DrawCell from the table's texts and the skin's colours.
class tHSGrid : public QWidget {
public:
    tHSGrid(QWidget* parent, const tHiScore& table);
    void DrawCell(QPainter& painter, int column, int row) const;
    // The table changed: only the cells whose text changed, and the rows that became or ceased to be the
    // current one, are painted again.
    void Refresh();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const tHiScore& table_;
    // What the cells showed when last marked for painting.
    std::array<std::array<QString, kGridRows>, kGridColumns> marked_{};
    int markedCurrentRow_ = -1;
};
