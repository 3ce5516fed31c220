#pragma once
// The rows of the high score table, drawn cell by cell in the skin's row colours.

#include <QWidget>

#include <array>

class QPainter;
class tHiScore;

inline constexpr int kHSRowHeight = 20;
inline constexpr std::array<int, 3> kHSColumnWidths{110, 50, 68};

// The rows of the table; every cell is drawn by DrawCell from the table's texts and the skin's colours.
class tHSGrid : public QWidget {
public:
    tHSGrid(QWidget* parent, const tHiScore& table);
    void DrawCell(QPainter& painter, int column, int row) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const tHiScore& table_;
};
