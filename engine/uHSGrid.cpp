// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/uHSGrid.h"

#include "engine/uhiscore.h"
#include "look/uSkin.h"
#include "platform/uBitmap.h"
#include "widgets/uGlyphText.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

#include <optional>

namespace {

QColor Color(uint32_t colorBGR) {
    return QColor::fromRgb(ColorToRgb(colorBGR));
}

const QFont& GridFont(bool bold) {
    static const auto make = [](bool isBold) {
        QFont font("Verdana");
        font.setPixelSize(11);
        font.setBold(isBold);
        return font;
    };
    static const QFont regular = make(false);
    static const QFont heading = make(true);
    return bold ? heading : regular;
}

struct tRowColors {
    uint32_t fill;
    uint32_t text;
    uint32_t border;
};

tRowColors RowColors(int row, int currentRow) {
    const auto& hs = SkinSettings.HiScore;
    // The game in progress outside the best fifteen keeps the colours of the row that drops out.
    if (row == kLoserRow) {
        return {hs.clrLineLooser, hs.clrTextLooser, hs.clrLBorderLooser};
    }
    if (row == currentRow) {
        return {hs.clrLineCurrent, hs.clrTextCurrent, hs.clrLBorderCurrent};
    }
    if (row == 0) {
        return {hs.clrLineHead, hs.clrTextHead, hs.clrLBorderHead};
    }
    return {hs.clrLineOther, hs.clrTextOther, hs.clrLBorderOther};
}

QRect CellRect(int column, int row) {
    int left = 0;
    for (int c = 0; c < column; ++c) {
        left += kHSColumnWidths[static_cast<size_t>(c)];
    }
    return QRect(left, row * kHSRowHeight, kHSColumnWidths[static_cast<size_t>(column)], kHSRowHeight);
}

} // namespace

tHSGrid::tHSGrid(QWidget* parent, const tHiScore& table) : QWidget(parent), table_(table) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void tHSGrid::Refresh() {
    const int current = table_.CurrentRow();
    for (int row = 0; row < kGridRows; ++row) {
        const bool recoloured = current != markedCurrentRow_ && (row == current || row == markedCurrentRow_);
        for (int column = 0; column < kGridColumns; ++column) {
            QString& marked = marked_[static_cast<size_t>(column)][static_cast<size_t>(row)];
            const QString& text = table_.Cell(column, row);
            if (recoloured || marked != text) {
                // The letters copied, not the text shared: the table rewrites the live row's cells in place,
                // and a shared text would be copied anew at each change.
                marked.resize(text.size());
                std::copy(text.cbegin(), text.cend(), marked.begin());
                update(CellRect(column, row));
            }
        }
    }
    markedCurrentRow_ = current;
}

void tHSGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    for (int row = 0; row < kGridRows; ++row) {
        for (int column = 0; column < kGridColumns; ++column) {
            if (event->region().intersects(CellRect(column, row))) {
                DrawCell(painter, column, row);
            }
        }
    }
}

void tHSGrid::DrawCell(QPainter& painter, int column, int row) const {
    const QRect cell = CellRect(column, row);
    const int width = cell.width();
    const tRowColors colors = RowColors(row, table_.CurrentRow());

    painter.save();
    painter.setClipRect(cell);
    painter.fillRect(cell, Color(colors.fill));
    // The one-pixel border as four filled lines: a painter's outline of a rectangle goes through a stroker
    // that allocates each time, for the very same pixels.
    const QColor border = Color(colors.border);
    painter.fillRect(QRect(cell.left(), cell.top(), width, 1), border);
    painter.fillRect(QRect(cell.left(), cell.bottom(), width, 1), border);
    painter.fillRect(QRect(cell.left(), cell.top(), 1, cell.height()), border);
    painter.fillRect(QRect(cell.right(), cell.top(), 1, cell.height()), border);

    const QString& text = table_.Cell(column, row);
    const QFont& font = GridFont(row == 0);
    const QFontMetrics metrics(font);
    painter.setFont(font);
    painter.setPen(Color(colors.text));
    tGlyphText* glyphs = tGlyphText::For(painter);
    const std::optional<double> advance = glyphs != nullptr ? glyphs->Advance(text) : std::nullopt;
    const int textWidth = advance ? qRound(*advance) : metrics.horizontalAdvance(text);
    int x = 0;
    if (row == 0) {
        x = cell.left() + (width - textWidth) / 2;
    } else if (column == 0) {
        x = cell.left() + 5;
    } else {
        x = cell.left() + width - 5 - textWidth;
    }
    const int y = cell.top() + (kHSRowHeight - metrics.height()) / 2;
    const QPoint baseline(x, y + metrics.ascent());
    if (!advance || !glyphs->DrawAt(painter, baseline, text)) {
        painter.drawText(baseline, text);
    }
    painter.restore();
}
